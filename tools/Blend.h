// The blends the generators shade with, for float pictures and double maps alike.
#pragma once

namespace mediagen {

// Leaves T to be deduced from one argument only, so edges may be written as plain numbers.
template <class T>
struct NumberOf {
    using type = T;
};

template <class T>
T lerp(T a, T b, T t) {
    return a + (b - a) * t;
}

// The cubic ease from 0 to 1 over t in [0, 1], flat at both ends.
template <class T>
T ease(T t) {
    return t * t * (T(3) - T(2) * t);
}

// 0 up to e0, 1 from e1 on, the cubic ease between (e1 may lie below e0).
template <class T>
T smoothstep(typename NumberOf<T>::type e0, typename NumberOf<T>::type e1, T x) {
    T t = (x - e0) / (e1 - e0);
    t = t < 0 ? T(0) : (t > 1 ? T(1) : t);
    return ease(t);
}

}  // namespace mediagen
