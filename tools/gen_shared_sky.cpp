// media/snow_*.jpg: the six faces of the snowy sky box. Every pixel is the sky
// seen in its own 3D direction, so neighbouring faces agree along their edges.
//
// The map puts the files on the engine's sky box as top = positive_y,
// bottom = negative_y, left = positive_z, right = negative_z,
// front = positive_x, back = negative_x. The engine lays its faces out as
// left on +X, right on -X, front on -Z, back on +Z, and (image x right, y down)
// maps each picture as written in faceDirection() below.
#include <cmath>
#include <string>
#include "Blend.h"
#include "Canvas.h"
#include "MediaGenerator.h"
#include "ProcNoise.h"

using namespace mediagen;
using irr::core::vector3df;
using Rgb = Canvas::Rgb;

namespace {

const int kFace = 512;

// Direction of the picture point (u, v), both 0..1 from the top left, of each file.
vector3df faceDirection(int face, float u, float v) {
    const float a = 2.0f * u - 1.0f, b = 2.0f * v - 1.0f;
    switch (face) {
    case 0: return vector3df(1, -b, -a);   // snow_positive_z: left slot, +X
    case 1: return vector3df(-1, -b, a);   // snow_negative_z: right slot, -X
    case 2: return vector3df(b, 1, -a);    // snow_positive_y: top
    case 3: return vector3df(-b, -1, -a);  // snow_negative_y: bottom
    case 4: return vector3df(-a, -b, -1);  // snow_positive_x: front slot, -Z
    default: return vector3df(a, -b, 1);   // snow_negative_x: back slot, +Z
    }
}
const char* const kFaceFiles[6] = {"media/snow_positive_z.jpg", "media/snow_negative_z.jpg",
                                   "media/snow_positive_y.jpg", "media/snow_negative_y.jpg",
                                   "media/snow_positive_x.jpg", "media/snow_negative_x.jpg"};

class SnowSky {
public:
    SnowSky() : clouds(71), ridges(72), rock(73) {}

    Rgb colour(vector3df d) const {
        d.normalize();
        const float elev = std::asin(std::fmax(-1.0f, std::fmin(1.0f, d.Y)));
        const float az = std::atan2(d.X, d.Z);
        const float cx = std::cos(az), cz = std::sin(az);
        const float px = 1.0f / kFace * 2.0f;  // about one pixel, in radians

        // Overcast sky: pale at the horizon, a little bluer up high, soft clouds.
        const Rgb horizon = Canvas::rgb8(226, 229, 234), zenith = Canvas::rgb8(150, 170, 198);
        Rgb c = mix(horizon, zenith, smoothstep(0.0f, 1.3f, elev));
        const float cloud = clouds.fbm(d.X * 2.5f + 5, d.Y * 2.5f + 5, d.Z * 2.5f + 5, 5);
        c = mix(c, Canvas::rgb8(244, 245, 248), 0.55f * smoothstep(0.45f, 0.75f, cloud));
        c = Canvas::scale(c, 1.0f - 0.10f * smoothstep(0.55f, 0.85f, cloud));

        // Far range, then a nearer, lower one; their outlines go round the
        // horizon without a break (noise sampled on a circle of azimuths).
        const float far = ridgeHeight(az, 2.2f, 10, 0.04f, 0.30f);
        const float near = ridgeHeight(az, 4.0f, 30, 0.015f, 0.10f);
        const float farSide = (ridgeHeight(az + 0.01f, 2.2f, 10, 0.04f, 0.30f) - far) / 0.01f;
        const float nearSide = (ridgeHeight(az + 0.01f, 4.0f, 30, 0.015f, 0.10f) - near) / 0.01f;
        c = mix(c, mountain(cx, cz, elev, far, farSide, 0.5f), smoothstep(far + px, far - px, elev));
        c = mix(c, mountain(cx, cz, elev, near, nearSide, 0.18f), smoothstep(near + px, near - px, elev));

        // Below the horizon: the snow of the valley, greyer towards the nadir.
        const Rgb snow = Canvas::rgb8(232, 235, 240), shade = Canvas::rgb8(196, 202, 212);
        Rgb ground = mix(snow, shade, smoothstep(0.0f, -1.4f, elev));
        ground = Canvas::scale(ground, 1.0f + 0.05f * (rock.fbm(d.X * 6, d.Y * 6, d.Z * 6, 4) - 0.5f));
        return mix(c, ground, smoothstep(px, -px, elev));
    }

private:
    // Height of a range's crest (radians above the horizon) at an azimuth:
    // noise sampled on a circle, so it goes round without a break.
    float ridgeHeight(float az, float scale, float offset, float base, float amp) const {
        const float f = ridges.fbm(std::cos(az) * scale + offset, std::sin(az) * scale + offset, 6);
        return base + amp * std::pow(smoothstep(0.3f, 0.75f, f), 1.5f);
    }

    // Snow with rocky gullies running down from the crest; haze mixes in the sky.
    Rgb mountain(float cx, float cz, float elev, float ridge, float side, float haze) const {
        const float below = ridge - elev;  // radians under the crest
        const float gully = rock.fbm(cx * 45 + 3, cz * 45 + 3, elev * 10, 4);
        const float rocky =
            0.75f * smoothstep(0.56f, 0.68f, gully - 0.6f * below + 0.08f) * smoothstep(0.0f, 0.01f, below);
        const float light = 0.5f + 0.5f * std::tanh(side * 1.5f);
        Rgb snow = mix(Canvas::rgb8(176, 190, 214), Canvas::rgb8(246, 248, 252), light);
        Rgb c = mix(snow, mix(Canvas::rgb8(84, 88, 102), Canvas::rgb8(128, 130, 140), light), rocky);
        return mix(c, Canvas::rgb8(214, 220, 230), haze);
    }

    ProcNoise clouds, ridges, rock;
};

}  // namespace

MEDIA_GENERATOR(gen_shared_sky) {
    const SnowSky sky;
    bool ok = true;
    for (int face = 0; face < 6; ++face) {
        Canvas canvas(kFace, kFace);
        for (int y = 0; y < kFace; ++y)
            for (int x = 0; x < kFace; ++x)
                canvas.set(x, y, sky.colour(faceDirection(face, (x + 0.5f) / kFace, (y + 0.5f) / kFace)));
        irr::video::IImage* img = canvas.toImage(ctx.driver);
        ok = ctx.writeImage(img, kFaceFiles[face]) && ok;
        img->drop();
    }
    return ok;
}
