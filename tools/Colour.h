// A colour of three channels: floats in 0..1 for the pictures, doubles in
// 0..255 for the default map's ground.
#pragma once
#include "Blend.h"

namespace mediagen {

template <class T>
struct Colour {
    T r, g, b;
};

// a at t = 0, b at t = 1, channel by channel.
template <class T>
Colour<T> mix(Colour<T> a, Colour<T> b, T t) {
    return {lerp(a.r, b.r, t), lerp(a.g, b.g, t), lerp(a.b, b.b, t)};
}

}  // namespace mediagen
