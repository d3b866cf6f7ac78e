// media/texture-pylone.png: the atlas every lift part maps onto (tiles as in
// Atlas.h). Each tile is a flat material with a little detail; the detail
// stays away from tile borders, so filtering does not bleed one into another.
#include <cmath>
#include "Atlas.h"
#include "Canvas.h"
#include "MediaGenerator.h"
#include "ProcNoise.h"

using namespace mediagen;
using Rgb = Canvas::Rgb;

namespace {

const int kTile = 64;

struct TileCanvas {
    Canvas& canvas;
    int ox, oy;
    void set(int x, int y, Rgb c) { canvas.set(ox + x, oy + y, c); }
    void disc(float x, float y, float r, Rgb c, float a = 1.0f) { canvas.disc(ox + x, oy + y, r, c, a); }
    void line(float x0, float y0, float x1, float y1, float w, Rgb c, float a = 1.0f) {
        canvas.line(ox + x0, oy + y0, ox + x1, oy + y1, w, c, a);
    }
};

// Paint: a flat colour with faint mottling and a frame of rivets.
void paint(TileCanvas t, const ProcNoise& n, Rgb base, bool rivets) {
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const float m = n.fbm(x / 9.0f, y / 9.0f, 3) - 0.5f;
            const float speck = n.hash(t.ox + x, t.oy + y) - 0.5f;
            t.set(x, y, Canvas::scale(base, 1.0f + 0.12f * m + 0.04f * speck));
        }
    if (!rivets) return;
    // Along the top and bottom every 16 px; the sides between the corners.
    const float spots[12][2] = {{8, 6},   {24, 6},  {40, 6}, {56, 6}, {8, 58},  {24, 58},
                                {40, 58}, {56, 58}, {6, 24}, {6, 40}, {58, 24}, {58, 40}};
    for (const auto& s : spots) {
        t.disc(s[0] + 0.6f, s[1] + 0.6f, 1.8f, Canvas::scale(base, 0.55f));  // shadow
        t.disc(s[0], s[1], 1.5f, Canvas::scale(base, 1.15f));
        t.disc(s[0] - 0.5f, s[1] - 0.5f, 0.6f, mix(base, {1, 1, 1}, 0.6f));  // highlight
    }
}

// Metal: horizontal brushing streaks over a base.
void brushed(TileCanvas t, const ProcNoise& n, Rgb base, float streaks) {
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const float streak = n.value(x / 24.0f, y * 1.7f) - 0.5f;
            const float spangle = n.value(x / 5.0f + 40.0f, y / 5.0f) - 0.5f;
            t.set(x, y, Canvas::scale(base, 1.0f + streaks * streak + 0.08f * spangle));
        }
    }
}

void concrete(TileCanvas t, const ProcNoise& n) {
    const Rgb base = Canvas::rgb8(158, 156, 148);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const float cloud = n.fbm(x / 12.0f, y / 12.0f, 4) - 0.5f;
            const float grain = n.hash(t.ox + x, t.oy + y, 7) - 0.5f;
            float s = 1.0f + 0.18f * cloud + 0.12f * grain;
            if (n.hash(t.ox + x, t.oy + y, 11) > 0.985f) s *= 0.7f;  // pits
            t.set(x, y, Canvas::scale(base, s));
        }
}

// Planks 16 px high with wavy grain and dark joints.
void wood(TileCanvas t, const ProcNoise& n) {
    const Rgb light = Canvas::rgb8(176, 124, 72), dark = Canvas::rgb8(120, 78, 40);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const int plank = y / 16;
            const float warp = 3.0f * n.fbm(x / 20.0f, y / 6.0f + plank * 5.0f, 3);
            const float rings = 0.5f + 0.5f * std::sin((y + warp * 4.0f + plank * 7.0f) * 1.3f);
            Rgb c = mix(light, dark, 0.25f + 0.5f * rings * rings);
            c = Canvas::scale(c, 1.0f + 0.06f * (n.hash(t.ox + x, t.oy + y, 3) - 0.5f));
            if (y % 16 == 15 && y < kTile - 1) c = Canvas::scale(dark, 0.6f);
            t.set(x, y, c);
        }
}

// Corrugated sheet: vertical ridges every 8 px.
void roof(TileCanvas t, const ProcNoise& n) {
    const Rgb base = Canvas::rgb8(112, 116, 122);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const float ridge = std::cos((x + 0.5f) * 2.0f * 3.14159265f / 8.0f);
            const float dirt = n.fbm(x / 10.0f, y / 10.0f, 3) - 0.5f;
            t.set(x, y, Canvas::scale(base, 1.0f + 0.22f * ridge + 0.1f * dirt));
        }
}

// Glazing: four panes in a dark frame, sky reflected with a light diagonal.
void window(TileCanvas t, const ProcNoise& n) {
    const Rgb frame = Canvas::rgb8(52, 54, 58);
    const Rgb top = Canvas::rgb8(150, 190, 220), bottom = Canvas::rgb8(70, 100, 130);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const bool bar = x < 4 || x >= kTile - 4 || y < 4 || y >= kTile - 4 || std::abs(x - 31.5f) < 2 ||
                             std::abs(y - 31.5f) < 2;
            if (bar) {
                t.set(x, y, Canvas::scale(frame, 1.0f + 0.1f * (n.hash(x, y, 5) - 0.5f)));
                continue;
            }
            Rgb c = mix(top, bottom, y / float(kTile));
            const float diag = std::fabs(std::fmod(x + y + 200.0f, 40.0f) - 20.0f);
            if (diag < 3.0f) c = mix(c, {1, 1, 1}, 0.35f * (1.0f - diag / 3.0f));
            t.set(x, y, c);
        }
}

}  // namespace

MEDIA_GENERATOR(gen_shared_atlas) {
    Canvas atlas(4 * kTile, 4 * kTile, Canvas::rgb8(128, 128, 128));
    for (int tile = 0; tile < 16; ++tile) {
        TileCanvas t{atlas, (tile % 4) * kTile, (tile / 4) * kTile};
        const ProcNoise n(1000u + tile);
        switch (tile) {
        case TILE_STEEL_GREY: brushed(t, n, Canvas::rgb8(160, 166, 170), 0.10f); break;
        case TILE_PAINT_YELLOW: paint(t, n, Canvas::rgb8(228, 178, 34), true); break;
        case TILE_PAINT_RED: paint(t, n, Canvas::rgb8(188, 42, 36), true); break;
        case TILE_PAINT_BLUE: paint(t, n, Canvas::rgb8(42, 82, 168), true); break;
        case TILE_CONCRETE: concrete(t, n); break;
        case TILE_WOOD: wood(t, n); break;
        case TILE_RUBBER_BLACK: brushed(t, n, Canvas::rgb8(34, 34, 36), 0.15f); break;
        case TILE_ROOF_GREY: roof(t, n); break;
        case TILE_WINDOW: window(t, n); break;
        case TILE_DARK_METAL: brushed(t, n, Canvas::rgb8(66, 68, 72), 0.18f); break;
        case TILE_WHITE_PAINT: paint(t, n, Canvas::rgb8(236, 236, 230), false); break;
        case TILE_GREEN_PAINT: paint(t, n, Canvas::rgb8(44, 124, 62), true); break;
        default: paint(t, n, Canvas::rgb8(128, 128, 128), false); break;  // spare tiles
        }
    }
    irr::video::IImage* img = atlas.toImage(ctx.driver);
    const bool ok = ctx.writeImage(img, "media/texture-pylone.png");
    img->drop();
    return ok;
}
