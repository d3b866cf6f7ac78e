#include "ProcNoise.h"
#include <cmath>

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
    return unitOf<float>(h);
}

float ProcNoise::value(float x, float y) const {
    return latticeValue(x, y, ease<float>, [this](int i, int j) { return hash(i, j); });
}

float ProcNoise::value(float x, float y, float z) const {
    const float fz = std::floor(z);
    const int iz = static_cast<int>(fz);
    float layer[2];
    for (int k = 0; k < 2; ++k)
        layer[k] = latticeValue(x, y, ease<float>, [this, iz, k](int i, int j) { return hash(i, j, iz + k); });
    return lerp(layer[0], layer[1], ease(z - fz));
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

}  // namespace mediagen
