// The station chalet, media/Alpine_chalet.obj: stone ground floor, timber upper
// floor, gable roof, balcony and windows, one material on one atlas picture.
// Origin at floor level; the stone base reaches below it for sloping ground.
// The front (gable, balcony, door) faces -X: the station's 270-degree yaw turns
// it towards -Z, down the valley. The atlas comes with its normal, metallic and
// roughness maps, painted from the same layout.
#include <cmath>
#include <utility>
#include "ForEachRow.h"
#include "MediaGenerator.h"
#include "ObjMesh.h"
#include "ProcNoise.h"

using namespace irr;
using core::vector2df;
using core::vector3df;
using namespace mediagen::worldnoise;
using mediagen::forEachRow;
using mediagen::smoothstep;

namespace {

const int ATLAS = 1024;
const int TILES = 4;  // 4x4 tiles of 256 pixels

enum Tile { WOOD, STONE, ROOF, WINDOW, DOOR, DARK_WOOD, RAILING, PLASTER, TILE_COUNT };

core::rectf tileRect(Tile t) {
    const float s = 1.0f / TILES, inset = 2.0f / ATLAS;
    const int col = t % TILES, row = t / TILES;
    return core::rectf(col * s + inset, row * s + inset, (col + 1) * s - inset, (row + 1) * s - inset);
}

// One texel of a tile: colour, relief (0..1, for the normal map), metalness and roughness.
struct Texel {
    video::SColorf colour;
    float relief, metal, rough;
};

video::SColorf rgb(double r, double g, double b) { return video::SColorf(r / 255.0f, g / 255.0f, b / 255.0f); }
video::SColorf scaled(video::SColorf c, double k) {
    return video::SColorf(std::min(1.0, c.r * k), std::min(1.0, c.g * k), std::min(1.0, c.b * k));
}

// Horizontal planks: u across, v down the tile.
Texel planks(double u, double v, video::SColorf base, int count, uint32_t seed) {
    const double p = v * count;
    const int plank = static_cast<int>(p);
    const double within = p - plank;
    const double grain = fbm(u * 40 + plank * 7.3, within * 3, 3, seed + plank);
    const double tone = 0.85 + 0.3 * lattice(plank, 0, seed);
    const double groove = smoothstep(0.0, 0.08, within) * (1 - smoothstep(0.92, 1.0, within));
    return {scaled(base, tone * (0.8 + 0.35 * grain) * (0.55 + 0.45 * groove)), static_cast<float>(groove), 0, 0.8f};
}

Texel paintTile(Tile t, double u, double v) {
    switch (t) {
    case WOOD: return planks(u, v, rgb(150, 96, 52), 9, 101);
    case DARK_WOOD: return planks(u, v, rgb(96, 60, 34), 6, 131);
    case STONE: {
        // Rubble masonry: rows of blocks of varied length, pale mortar between.
        const double rows = 6, row = std::floor(v * rows), y = v * rows - row;
        const double x = u * 4 + lattice(static_cast<int>(row), 3, 7) * 3;
        const double block = std::floor(x + 0.3 * value(row, x, 9)), bx = x - std::floor(x);
        const double edge = std::min(std::min(y, 1 - y) * 2.2, std::min(bx, 1 - bx) * 4);
        const double joint = smoothstep(0.04, 0.16, edge);
        const double tone = 0.75 + 0.45 * lattice(static_cast<int>(block), static_cast<int>(row), 11);
        const double grit = fbm(u * 60, v * 60, 3, 13);
        const video::SColorf stone = scaled(rgb(128, 122, 112), tone * (0.85 + 0.3 * grit));
        const video::SColorf mortar = rgb(178, 172, 160);
        return {stone.getInterpolated(mortar, static_cast<float>(joint)), static_cast<float>(joint), 0, 0.95f};
    }
    case ROOF: {
        // Wooden shingles in staggered courses, weathered grey-brown.
        const double rows = 14, row = std::floor(v * rows), y = v * rows - row;
        const double x = u * 10 + (static_cast<int>(row) % 2) * 0.5, sx = x - std::floor(x);
        const double tone = 0.7 + 0.5 * lattice(static_cast<int>(std::floor(x)), static_cast<int>(row), 17);
        const double shade = 0.55 + 0.45 * y;  // each course shades the one below
        const double gap = smoothstep(0.0, 0.06, sx) * (1 - smoothstep(0.94, 1.0, sx));
        return {scaled(rgb(92, 78, 66), tone * shade * (0.6 + 0.4 * gap)), static_cast<float>(y * gap), 0, 0.75f};
    }
    case WINDOW: {
        // White frame, four panes of dark glass, green shutters at the sides.
        if (u < 0.18 || u > 0.82) {
            const Texel s = planks(v, u, rgb(58, 104, 62), 5, 151);
            return {s.colour, s.relief, 0, 0.7f};
        }
        const double fu = (u - 0.18) / 0.64;
        const bool frame =
            fu < 0.08 || fu > 0.92 || v < 0.06 || v > 0.94 || std::fabs(fu - 0.5) < 0.04 || std::fabs(v - 0.5) < 0.03;
        if (frame) return {rgb(232, 228, 218), 1, 0, 0.6f};
        const double sky = 0.25 + 0.35 * (1 - v) + 0.1 * fbm(fu * 8, v * 8, 2, 19);
        return {rgb(70 * sky + 30, 90 * sky + 36, 110 * sky + 44), 0.2f, 0, 0.08f};
    }
    case DOOR: {
        const Texel p = planks(v, u, rgb(120, 74, 40), 6, 171);
        const bool frame = u < 0.06 || u > 0.94 || v < 0.05;
        const bool handle = std::fabs(u - 0.8) < 0.03 && std::fabs(v - 0.55) < 0.03;
        if (handle) return {rgb(60, 58, 54), 1, 1, 0.35f};
        if (frame) return {rgb(84, 52, 30), 1, 0, 0.8f};
        return p;
    }
    case RAILING: {
        // Cut-out balusters, painted in the wood's colour over the shadow behind them.
        const double x = u * 12, sx = x - std::floor(x);
        const bool rail = v < 0.12 || v > 0.9;
        const bool baluster = std::fabs(sx - 0.5) < 0.3 + 0.08 * std::cos(v * 2 * M_PI * 2);
        if (rail || baluster) return planks(u, v, rgb(104, 66, 36), 3, 191);
        return {rgb(40, 30, 22), 0, 0, 0.9f};
    }
    case PLASTER:
    default: {
        const double grit = fbm(u * 30, v * 30, 4, 23);
        return {scaled(rgb(214, 206, 190), 0.85 + 0.2 * grit), static_cast<float>(grit), 0, 0.9f};
    }
    }
}

// Paints the atlas and its three companion maps from the same texels.
bool writeAtlas(mediagen::Context& ctx) {
    const core::dimension2d<u32> size(ATLAS, ATLAS);
    video::IImage* diffuse = ctx.driver->createImage(video::ECF_R8G8B8, size);
    video::IImage* metallic = ctx.driver->createImage(video::ECF_R8G8B8, size);
    video::IImage* roughness = ctx.driver->createImage(video::ECF_R8G8B8, size);
    std::vector<float> relief(ATLAS * ATLAS, 0);
    const int tilePx = ATLAS / TILES;
    forEachRow(ATLAS, [&](int y) {
        for (int x = 0; x < ATLAS; ++x) {
            const int tile = (y / tilePx) * TILES + x % ATLAS / tilePx;
            const double u = (x % tilePx + 0.5) / tilePx, v = (y % tilePx + 0.5) / tilePx;
            const Texel t =
                tile < TILE_COUNT ? paintTile(static_cast<Tile>(tile), u, v) : Texel{rgb(128, 128, 128), 0.5f, 0, 1};
            diffuse->setPixel(x, y, t.colour.toSColor());
            const u32 m = static_cast<u32>(t.metal * 255), r = static_cast<u32>(t.rough * 255);
            metallic->setPixel(x, y, video::SColor(255, m, m, m));
            roughness->setPixel(x, y, video::SColor(255, r, r, r));
            relief[y * ATLAS + x] = t.relief;
        }
    });
    video::IImage* normal = ctx.driver->createImage(video::ECF_R8G8B8, size);
    const float strength = 3.0f;
    for (int y = 0; y < ATLAS; ++y)
        for (int x = 0; x < ATLAS; ++x) {
            auto at = [&](int px, int py) {
                px = std::max(0, std::min(ATLAS - 1, px));
                py = std::max(0, std::min(ATLAS - 1, py));
                return relief[py * ATLAS + px];
            };
            vector3df n(-(at(x + 1, y) - at(x - 1, y)) * strength, (at(x, y + 1) - at(x, y - 1)) * strength, 1);
            n.normalize();
            normal->setPixel(x, y,
                             video::SColor(255, static_cast<u32>((n.X * 0.5f + 0.5f) * 255),
                                           static_cast<u32>((n.Y * 0.5f + 0.5f) * 255),
                                           static_cast<u32>((n.Z * 0.5f + 0.5f) * 255)));
        }
    bool ok = ctx.writeImage(diffuse, "media/Diffuse_map.png");
    diffuse->drop();
    // The companion maps are loaded but never shown: a quarter of the size each way
    // spares some 25 MB of texture memory in the game.
    const std::pair<video::IImage*, const char*> companions[] = {
        {normal, "media/Normal_map.png"}, {metallic, "media/Metallic_map.png"}, {roughness, "media/Roughness_map.png"}};
    for (const auto& c : companions) {
        video::IImage* small = ctx.driver->createImage(video::ECF_R8G8B8, core::dimension2d<u32>(ATLAS / 4, ATLAS / 4));
        c.first->copyToScaling(small);
        ok = ctx.writeImage(small, c.second) && ok;
        small->drop();
        c.first->drop();
    }
    return ok;
}

// A flat quad (corners in order round it) turned to face `outward`.
void face(mediagen::ObjMesh& m, vector3df a, vector3df b, vector3df c, vector3df d, const vector3df& outward,
          const core::rectf& uv) {
    const float u0 = uv.UpperLeftCorner.X, u1 = uv.LowerRightCorner.X;
    const float v0 = uv.UpperLeftCorner.Y, v1 = uv.LowerRightCorner.Y;
    const u32 ia = m.vertex(a, {u0, v1}), ib = m.vertex(b, {u0, v0}), ic = m.vertex(c, {u1, v0}),
              id = m.vertex(d, {u1, v1});
    if ((b - a).crossProduct(c - a).dotProduct(outward) >= 0)
        m.quad(ia, ib, ic, id);
    else
        m.quad(ia, id, ic, ib);
}

// The triangle of wall under the roof at one end.
void gable(mediagen::ObjMesh& m, float x, float eaveY, float apexY, float halfWidth) {
    const core::rectf uv = tileRect(WOOD);
    const vector2df lo(uv.UpperLeftCorner.X, uv.LowerRightCorner.Y), hi(uv.LowerRightCorner.X, uv.LowerRightCorner.Y),
        top((uv.UpperLeftCorner.X + uv.LowerRightCorner.X) / 2, uv.UpperLeftCorner.Y);
    const vector3df pa(x, eaveY, -halfWidth), pb(x, apexY, 0), pc(x, eaveY, halfWidth);
    const u32 a = m.vertex(pa, lo), b = m.vertex(pb, top), c = m.vertex(pc, hi);
    if ((pb - pa).crossProduct(pc - pa).X * x >= 0)
        m.triangle(a, b, c);
    else
        m.triangle(a, c, b);
}

bool writeChalet(mediagen::Context& ctx) {
    mediagen::ObjMesh m;
    m.useMaterial("chalet", "Diffuse_map.png");
    const float depth = 3.0f, half = 2.5f, stoneTop = 1.3f, eave = 3.1f, apex = 4.5f;

    // Stone ground floor, its base buried below the floor level; timber above.
    m.box({-depth, -0.8f, -half}, {depth, stoneTop, half}, tileRect(STONE));
    m.box({-depth, stoneTop, -half}, {depth, eave, half}, tileRect(WOOD));
    gable(m, -depth, eave, apex, half);
    gable(m, depth, eave, apex, half);

    // Roof: two shingled slopes overhanging the walls, dark boards underneath.
    const float ridge = 4.65f, overhangX = 3.7f, eaveZ = 3.2f, eaveY = 2.82f, under = 0.14f;
    for (int side = -1; side <= 1; side += 2) {
        const float z = side * eaveZ;
        const vector3df r0(-overhangX, ridge, 0), r1(overhangX, ridge, 0), e0(-overhangX, eaveY, z),
            e1(overhangX, eaveY, z);
        const vector3df down(0, -under, 0), up(0, eaveZ, side * (ridge - eaveY));
        face(m, e0, r0, r1, e1, up, tileRect(ROOF));
        face(m, e0 + down, r0 + down, r1 + down, e1 + down, -up, tileRect(DARK_WOOD));
        // The slab's edge along the eave.
        face(m, e0 + down, e0, e1, e1 + down, vector3df(0, 0, static_cast<float>(side)), tileRect(DARK_WOOD));
    }
    m.box({-overhangX, ridge - 0.2f, -0.12f}, {overhangX, ridge + 0.06f, 0.12f}, tileRect(DARK_WOOD));
    m.box({1.2f, 3.4f, 0.8f}, {1.8f, 5.3f, 1.4f}, tileRect(PLASTER));

    // Balcony across the front at the upper floor.
    const float bx = -depth - 1.0f, floorY = stoneTop, railY = stoneTop + 0.9f;
    m.box({bx, floorY - 0.12f, -half + 0.1f}, {-depth, floorY, half - 0.1f}, tileRect(DARK_WOOD));
    m.box({bx, floorY, -half + 0.1f}, {bx + 0.08f, railY, half - 0.1f}, tileRect(RAILING));
    m.box({bx, floorY, -half + 0.1f}, {-depth, railY, -half + 0.18f}, tileRect(RAILING));
    m.box({bx, floorY, half - 0.18f}, {-depth, railY, half - 0.1f}, tileRect(RAILING));
    for (float z : {-half + 0.15f, half - 0.15f})
        m.box({bx - 0.02f, 0, z - 0.1f}, {bx + 0.18f, floorY - 0.12f, z + 0.1f}, tileRect(DARK_WOOD));

    // Door and windows stand a little proud of the walls.
    const float t = 0.05f;
    m.box({-depth - t, 0, -0.5f}, {-depth + t, 1.15f, 0.5f}, tileRect(DOOR));
    for (float z : {-1.3f, 1.3f})
        m.box({-depth - t, 1.65f, z - 0.55f}, {-depth + t, 2.65f, z + 0.55f}, tileRect(WINDOW));
    m.box({-depth - t, 3.3f, -0.45f}, {-depth + t, 4.0f, 0.45f}, tileRect(WINDOW));
    for (float zs : {-half, half})
        for (float x : {-1.8f, 0.0f, 1.8f}) {
            m.box({x - 0.55f, 1.75f, zs - t}, {x + 0.55f, 2.7f, zs + t}, tileRect(WINDOW));
            if (x != 0.0f) m.box({x - 0.35f, 0.35f, zs - t}, {x + 0.35f, 0.95f, zs + t}, tileRect(WINDOW));
        }
    for (float z : {-1.2f, 1.2f}) m.box({depth - t, 1.75f, z - 0.5f}, {depth + t, 2.7f, z + 0.5f}, tileRect(WINDOW));
    return m.write(ctx.path("media"), "Alpine_chalet");
}

}  // namespace

MEDIA_GENERATOR(gen_world_chalet) {
    bool ok = writeAtlas(ctx);
    return writeChalet(ctx) && ok;
}
