// The planted tree, media/lowpolytree.3ds: a low-poly conifer, four tiers of
// needles on a short trunk, origin on the trunk near its foot. The game draws it
// unlit from the materials' diffuse colours, so the facets are shaded by
// material: lit, mid and shadowed greens chosen by which way each faces.
// Built with the generator's mesh builder and written as 3DS by Mesh3ds.
#include <cmath>
#include <utility>
#include <vector>
#include "MediaGenerator.h"
#include "Mesh3ds.h"
#include "ObjMesh.h"

using namespace irr;
using core::vector3df;
using mediagen::ObjMesh;

namespace {

struct Material {
    const char* name;
    u8 r, g, b;
};
const Material MATERIALS[] = {
    {"trunk", 92, 60, 36},
    {"needles_lit", 70, 122, 56},
    {"needles_mid", 46, 94, 46},
    {"needles_shade", 28, 64, 36},
};
enum { TRUNK, LIT, MID, SHADE, MATERIAL_COUNT };

void useMaterial(ObjMesh& m, int material) {
    const Material& mt = MATERIALS[material];
    m.useMaterial(mt.name, "", video::SColorf(mt.r / 255.0f, mt.g / 255.0f, mt.b / 255.0f, 1.0f));
}

// Adds a face turned outwards (engine winding); needles take their green from
// where the facet faces: lit towards the sun, shadowed away from it and underneath.
void face(ObjMesh& m, u32 a, u32 b, u32 c, bool needles) {
    static const vector3df sun = vector3df(-0.45f, 0.65f, -0.62f).normalize();
    const std::vector<vector3df>& p = m.vertexPositions();
    const vector3df n = (p[b] - p[a]).crossProduct(p[c] - p[a]);
    const vector3df centre = (p[a] + p[b] + p[c]) / 3.0f;
    // Bottom caps face down; side facets face away from the trunk's axis.
    const bool cap = std::fabs(p[a].Y - p[b].Y) < 1e-4f && std::fabs(p[b].Y - p[c].Y) < 1e-4f;
    const vector3df out = cap ? vector3df(0, -1, 0) : vector3df(centre.X, 0, centre.Z);
    if (n.dotProduct(out) < 0) std::swap(b, c);
    int material = TRUNK;
    if (needles) {
        const float light = cap ? -1.0f : (p[b] - p[a]).crossProduct(p[c] - p[a]).normalize().dotProduct(sun);
        material = light > 0.35f ? LIT : (light > -0.15f ? MID : SHADE);
    }
    useMaterial(m, material);
    m.triangle(a, b, c);
}

// A cone or frustum round the Y axis from y0 (radius r0) to y1 (radius r1), with a closed
// bottom unless it stands in the ground.
void frustum(ObjMesh& m, float y0, float y1, float r0, float r1, int sides, float twist, bool needles, bool bottomCap) {
    const core::vector2df noUv(0, 0);
    std::vector<u32> lo, hi;
    for (int i = 0; i < sides; ++i) {
        const float a = twist + 2.0f * core::PI * i / sides;
        lo.push_back(m.vertex({r0 * std::cos(a), y0, r0 * std::sin(a)}, noUv));
        if (r1 > 0) hi.push_back(m.vertex({r1 * std::cos(a), y1, r1 * std::sin(a)}, noUv));
    }
    const u32 tip = r1 > 0 ? 0 : m.vertex({0, y1, 0}, noUv);
    const u32 bottom = bottomCap ? m.vertex({0, y0, 0}, noUv) : 0;
    for (int i = 0; i < sides; ++i) {
        const int j = (i + 1) % sides;
        if (r1 > 0) {
            face(m, lo[i], hi[i], hi[j], needles);
            face(m, lo[i], hi[j], lo[j], needles);
        } else {
            face(m, lo[i], tip, lo[j], needles);
        }
        if (bottomCap) face(m, bottom, lo[i], lo[j], needles);
    }
}

}  // namespace

MEDIA_GENERATOR(gen_world_tree) {
    ObjMesh tree;
    for (int material = 0; material < MATERIAL_COUNT; ++material) useMaterial(tree, material);  // file order
    // The trunk reaches 1.2 m under the ground (the game stands the tree 0.6 up), for a slope.
    frustum(tree, -0.6f, 1.5f, 0.2f, 0.14f, 6, 0, false, false);
    // Tiers of needles: base height, top, radius; each turned a little against the one below.
    const float tiers[][3] = {{1.0f, 3.3f, 1.55f}, {2.2f, 4.4f, 1.2f}, {3.4f, 5.4f, 0.85f}, {4.4f, 6.2f, 0.5f}};
    // Only the lowest tier closes its underside: the upper ones' show only from under the tree.
    for (int i = 0; i < 4; ++i) frustum(tree, tiers[i][0], tiers[i][1], tiers[i][2], 0, 8, 0.35f * i, true, i == 0);
    return mediagen::Mesh3ds::write(tree, ctx.path("media/lowpolytree.3ds"), "conifer");
}
