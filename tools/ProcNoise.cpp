#include "ProcNoise.h"
#include <cmath>
#include "Blend.h"

namespace mediagen {

float ProcNoise::hash(int x, int y, int z) const {
    uint32_t h = seed ^ 0x9E3779B9u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h = (h << 17) | (h >> 15);
    h ^= static_cast<uint32_t>(z) * 0x27D4EB2Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return (h >> 8) * (1.0f / 16777216.0f);
}

float ProcNoise::value(float x, float y) const {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float tx = ease(x - fx), ty = ease(y - fy);
    return lerp(lerp(hash(ix, iy), hash(ix + 1, iy), tx), lerp(hash(ix, iy + 1), hash(ix + 1, iy + 1), tx), ty);
}

float ProcNoise::value(float x, float y, float z) const {
    const float fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    const float tx = ease(x - fx), ty = ease(y - fy), tz = ease(z - fz);
    float layer[2];
    for (int k = 0; k < 2; ++k) {
        layer[k] = lerp(lerp(hash(ix, iy, iz + k), hash(ix + 1, iy, iz + k), tx),
                        lerp(hash(ix, iy + 1, iz + k), hash(ix + 1, iy + 1, iz + k), tx), ty);
    }
    return lerp(layer[0], layer[1], tz);
}

float ProcNoise::fbm(float x, float y, int octaves) const {
    float sum = 0, weight = 0.5f, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * value(x, y);
        total += weight;
        x = x * 2.0f + 17.3f;
        y = y * 2.0f + 9.1f;
        weight *= 0.5f;
    }
    return total > 0 ? sum / total : 0.0f;
}

float ProcNoise::fbm(float x, float y, float z, int octaves) const {
    float sum = 0, weight = 0.5f, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * value(x, y, z);
        total += weight;
        x = x * 2.0f + 17.3f;
        y = y * 2.0f + 9.1f;
        z = z * 2.0f + 3.7f;
        weight *= 0.5f;
    }
    return total > 0 ? sum / total : 0.0f;
}

} // namespace mediagen
