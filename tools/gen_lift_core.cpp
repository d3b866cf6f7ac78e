// Carriers, pylon towers, crossarms, bullwheels and sheaves.
// Every mesh is built in the frame of the node that shows it: the foot of a
// tower at its origin, a wheel lying in the XZ plane about +Y, a carrier hanging
// from its grip at the origin, local -X being the way up the line. Sizes follow
// the scales the lifts give the nodes, so the rope meets the rims and the
// pylon heads where the lifts lay it.
#include "Atlas.h"
#include "LiftGeometry.h"
#include "MediaGenerator.h"
#include "ObjMesh.h"
#include <cmath>

using namespace irr;
using core::vector3df;
using mediagen::atlasRect;
using mediagen::ObjMesh;

namespace {

const char* const ATLAS = "texture-pylone.png";

ObjMesh atlasMesh() {
    ObjMesh m;
    m.useMaterial("atlas", ATLAS);
    return m;
}

// One plain colour, no texture: the software renderer pays for every textured
// draw, and wheels and carriers are drawn by the hundred.
ObjMesh plainMesh(const char* name, video::SColorf colour) {
    ObjMesh m;
    m.useMaterial(name, "", colour);
    return m;
}

// Every corner of a plain mesh maps to one point of the atlas's white tile: the
// lifts that lay the atlas on a wheel or a grip still show its own colour.
const core::vector2df WHITE_POINT = atlasRect(mediagen::TILE_WHITE_PAINT).getCenter();
const core::rectf NO_UV(WHITE_POINT, WHITE_POINT);
const video::SColorf DARK_METAL(0.26f, 0.27f, 0.29f), RUBBER(0.15f, 0.15f, 0.16f), GRIP_RED(0.72f, 0.17f, 0.15f);

// A thin bar from a to b, about w across: a three-sided prism, its ends hidden
// in the parts it joins.
void bar(ObjMesh& m, const vector3df& a, const vector3df& b, f32 w) {
    m.cylinder(a, b, 0.6f * w, 3, NO_UV, ObjMesh::NO_ENDS);
}

// A grooved wheel about +Y: flanges of radius `outer` either side of a V
// groove down to `groove`, its inner rim at `inner` (0: a solid disc), spokes
// and a hub that doubles as the axle.
void wheel(ObjMesh& m, f32 outer, f32 groove, f32 inner, f32 halfWidth, f32 hubHalf, int spokes, int sides,
           int hubSides, int hubEnds = ObjMesh::BOTH_ENDS) {
    m.lathe({{inner, -halfWidth}, {outer, -halfWidth}, {groove, 0}, {outer, halfWidth}, {inner, halfWidth}}, sides,
            NO_UV);
    const f32 hubR = 0.16f * outer;
    for (int i = 0; i < spokes; ++i) {
        const f32 a = 2.0f * core::PI * (i + 0.5f) / spokes;
        const vector3df dir(std::cos(a), 0, std::sin(a));
        m.beam(dir * (hubR * 0.8f), dir * (inner + 0.02f * outer), 0.09f * outer, NO_UV, ObjMesh::NO_ENDS);
    }
    m.cylinder(vector3df(0, -hubHalf, 0), vector3df(0, hubHalf, 0), hubR, hubSides, NO_UV, hubEnds);
}

// Surface-lift bullwheel (pylons at scale 0.3 under a 1.5 tower, terminals at
// 0.8 and 1.5): the rope runs round it at a radius of 0.9 to 1.
bool genPoulieTK(const mediagen::Context& ctx) {
    ObjMesh m = plainMesh("poulieTK", DARK_METAL);
    // 12 sides: a loaded scene draws dozens of these, and the software renderer pays per triangle.
    wheel(m, 1.0f, 0.9f, 0.76f, 0.16f, 0.5f, 4, 12, 6);
    return m.write(ctx.path("media"), "poulieTK");
}

// Chairlift sheave, shown at 0.05 under a scale of 2: radius 2 puts the rope
// 0.2 world units off its axle, where the lifts lay it.
bool genGalet(const mediagen::Context& ctx) {
    ObjMesh m = plainMesh("galet", RUBBER);
    // Eight a pylon head, a few pixels each on screen: a solid disc of 6 sides.
    wheel(m, 2.1f, 2.0f, 0.0f, 0.45f, 0.8f, 0, 6, 4, ObjMesh::NO_ENDS);
    return m.write(ctx.path("media"), "galet");
}

// Its underside is in the ground.
void foundation(ObjMesh& m, f32 half) {
    m.box(vector3df(-half, -0.5f, -half), vector3df(half, 0.25f, half), atlasRect(mediagen::TILE_CONCRETE),
          ObjMesh::ALL_FACES & ~ObjMesh::NEG_Y);
}

// A ladder up the +X side of a tapering tube. Its rungs end in the rails and
// turn their back to the tube: only their outer and top faces are drawn.
void ladder(ObjMesh& m, f32 y0, f32 y1, f32 r0, f32 r1) {
    const core::rectf steel = atlasRect(mediagen::TILE_STEEL_GREY);
    const f32 off = 0.07f, half = 0.1f, rung = 0.0125f;
    for (f32 z : {-half, half})
        m.beam(vector3df(r0 + off, y0, z), vector3df(r1 + off, y1, z), 0.03f, steel, ObjMesh::NO_ENDS);
    for (f32 y = y0 + 0.3f; y < y1 - 0.1f; y += 0.4f) {
        const f32 r = r0 + (r1 - r0) * (y - y0) / (y1 - y0) + off;
        m.box(vector3df(r - rung, y - rung, -half), vector3df(r + rung, y + rung, half), steel,
              ObjMesh::POS_X | ObjMesh::POS_Y);
    }
}

// Surface-lift tower, shown at 1.5: a tube with the up-line wheel's arm and,
// with the down line, the down-line wheel's arm (LiftGeometry).
bool genTowerTK(const mediagen::Context& ctx, const char* name, bool withDownLine) {
    ObjMesh m = atlasMesh();
    const core::rectf paint = atlasRect(mediagen::TILE_PAINT_YELLOW);
    const core::rectf steel = atlasRect(mediagen::TILE_STEEL_GREY);
    foundation(m, 0.4f);
    const f32 top = withDownLine ? 7.55f : 5.45f;
    const f32 rTop = withDownLine ? 0.12f : 0.14f;
    // The tube stands on the foundation under a cap: neither end shows.
    m.frustum(vector3df(0, 0.25f, 0), vector3df(0, top, 0), 0.2f, rTop, 8, paint, ObjMesh::NO_ENDS);
    m.box(vector3df(-rTop - 0.03f, top, -rTop - 0.03f), vector3df(rTop + 0.03f, top + 0.05f, rTop + 0.03f), steel);
    ladder(m, 0.5f, top - 0.3f, 0.2f, rTop);
    // Up-line arm: its end carries the wheel's axle at z -1.4 (or -1.5).
    const f32 upEnd = withDownLine ? -1.27f : -1.35f;
    const f32 upY = LiftGeometry::TK_PYLONE_POULIE_MONTEE.Y, downY = LiftGeometry::TK_PYLONE_POULIE_DESCENTE.Y;
    m.beam(vector3df(0, upY, 0), vector3df(0, upY, upEnd), 0.12f, paint, ObjMesh::END);
    m.beam(vector3df(0, upY - 0.8f, -0.05f), vector3df(0, upY - 0.03f, upEnd + 0.25f), 0.08f, paint, ObjMesh::NO_ENDS);
    if (withDownLine) {
        m.beam(vector3df(0, downY, 0), vector3df(0, downY, 1.37f), 0.12f, paint, ObjMesh::END);
        m.beam(vector3df(0, downY - 0.8f, 0.05f), vector3df(0, downY - 0.03f, 1.1f), 0.08f, paint, ObjMesh::NO_ENDS);
    }
    return m.write(ctx.path("media"), name);
}

// Chairlift tower, shown at 2: a tapering tube up to just under the crossarm
// that sits at height h.
bool genTowerTS(const mediagen::Context& ctx, const char* name, f32 h) {
    ObjMesh m = atlasMesh();
    const core::rectf paint = atlasRect(mediagen::TILE_GREEN_PAINT);
    const core::rectf steel = atlasRect(mediagen::TILE_STEEL_GREY);
    foundation(m, 0.5f);
    const f32 top = h - 0.35f;
    m.frustum(vector3df(0, 0.25f, 0), vector3df(0, top, 0), 0.3f, 0.18f, 8, paint, ObjMesh::NO_ENDS);
    m.box(vector3df(-0.24f, top - 0.05f, -0.24f), vector3df(0.24f, top, 0.24f), steel);
    ladder(m, 0.5f, top - 0.4f, 0.3f, 0.18f);
    // Platform under the head for the maintenance crew.
    m.box(vector3df(0.15f, top - 0.9f, -0.6f), vector3df(0.55f, top - 0.85f, 0.6f), steel);
    return m.write(ctx.path("media"), name);
}

// Chairlift crossarm, shown at 1.5 under the tower's 2, its origin level with
// the sheave axles: sheave rows along X at z +-1.6/1.5, x from -1/1.5 to 1/1.5.
// The support arm holds the trains from below (rope on top), the compression
// arm from above (rope underneath).
bool genCrossarm(const mediagen::Context& ctx, const char* name, bool support) {
    ObjMesh m = atlasMesh();
    const core::rectf paint = atlasRect(mediagen::TILE_GREEN_PAINT);
    const core::rectf steel = atlasRect(mediagen::TILE_STEEL_GREY);
    const f32 s = support ? -1.0f : 1.0f;  // side of the axles the steel is on
    const f32 row = 1.6f / 1.5f, reach = 1.0f / 1.5f;
    const f32 armY = 0.2f * s, frameY = 0.1f * s;
    // Stub from the tower head (at -0.35 / 1.5) to the arm.
    m.beam(vector3df(0, -0.26f, 0), vector3df(0, armY + 0.03f * s, 0), 0.12f, paint, ObjMesh::NO_ENDS);
    m.beam(vector3df(0, armY, -row - 0.05f), vector3df(0, armY, row + 0.05f), 0.08f, paint);
    for (f32 z : {-row, row}) {
        const f32 inward = z > 0 ? -0.04f : 0.04f;  // the frame stands beside the sheaves, on the tower's side
        m.beam(vector3df(0, armY, z + inward), vector3df(0, frameY, z + inward), 0.06f, paint, ObjMesh::NO_ENDS);
        m.beam(vector3df(-reach - 0.12f, frameY, z + inward), vector3df(reach + 0.12f, frameY, z + inward), 0.05f,
               steel);
        // Axle plates, one per sheave, from the rail into the sheave's hub.
        for (f32 x : {-reach, -reach / 2, reach / 2, reach})
            m.cylinder(vector3df(x, frameY, z + inward), vector3df(x, 0, z + inward), 0.02f, 3, steel,
                       ObjMesh::NO_ENDS);
    }
    return m.write(ctx.path("media"), name);
}

// Fixed-grip T-bar grip, shown at 0.8: clamp on the rope at the origin, the
// hanger down to the pole's hook at (0, -2, -0.2).
bool genPinceTKFixe(const mediagen::Context& ctx) {
    ObjMesh m = plainMesh("pinceTKFixe", GRIP_RED);
    m.box(vector3df(-0.3f, -0.12f, -0.12f), vector3df(0.3f, 0.12f, 0.12f), NO_UV);
    bar(m, vector3df(0, -0.1f, 0), vector3df(0, -1.85f, -0.2f), 0.1f);
    m.box(vector3df(-0.15f, -2.1f, -0.32f), vector3df(0.15f, -1.85f, -0.08f), NO_UV);
    return m.write(ctx.path("media"), "pinceTKFixe");
}

// Detachable T-bar grip, shown at 0.8: a longer clamp with its rollers and a
// bent hanger down to the pole's hook at (-0.7, -4.4, 0.25).
bool genPinceTKD(const mediagen::Context& ctx) {
    ObjMesh m = plainMesh("pinceTKD", GRIP_RED);
    m.box(vector3df(-0.45f, -0.14f, -0.14f), vector3df(0.45f, 0.14f, 0.14f), NO_UV);
    for (f32 x : {-0.3f, 0.3f}) m.cylinder(vector3df(x, 0.25f, -0.2f), vector3df(x, 0.25f, 0.2f), 0.11f, 6, NO_UV);
    m.box(vector3df(-0.4f, 0.12f, -0.05f), vector3df(0.4f, 0.3f, 0.05f), NO_UV, ObjMesh::ALL_FACES & ~ObjMesh::NEG_Y);
    const vector3df knee(-0.25f, -1.6f, 0.1f), hook(-0.7f, -4.4f, 0.25f);
    m.beam(vector3df(0, -0.1f, 0), knee, 0.12f, NO_UV, ObjMesh::NO_ENDS);
    m.beam(knee, hook + vector3df(0, 0.2f, 0), 0.12f, NO_UV, ObjMesh::NO_ENDS);
    m.box(hook + vector3df(-0.15f, -0.05f, -0.12f), hook + vector3df(0.15f, 0.25f, 0.12f), NO_UV);
    return m.write(ctx.path("media"), "pinceTKD");
}

// T-bar pole, shown at 3.6 under the grip's 0.8 (2.88 world units a mesh
// unit): hangs along -Y from its hook at the origin, a spring box and a rod
// about 3 m long in all, so that the bar clears the ground between pylons
// (the rope runs 8 m up at the pylons); the bar across the line (along Z),
// 1.2 m wide, takes two skiers.
bool genPercheTK(const mediagen::Context& ctx) {
    ObjMesh m = plainMesh("percheTK", video::SColorf(0.55f, 0.57f, 0.6f));
    const f32 bottom = -1.0f, half = 0.21f;
    // The spring box hangs from the grip's hook, which hides its top.
    m.cylinder(vector3df(0, 0, 0), vector3df(0, -0.22f, 0), 0.05f, 4, NO_UV, ObjMesh::END);
    bar(m, vector3df(0, -0.22f, 0), vector3df(0, bottom, 0), 0.023f);
    m.box(vector3df(-0.025f, bottom - 0.045f, -half), vector3df(0.025f, bottom, half), NO_UV);
    return m.write(ctx.path("media"), "percheTK");
}

// Two-seat chair, shown at (3.3, 4, 3.3): grip at the origin, hanger down to a
// seat facing -X (up the line), back rest, safety bar and foot rest.
bool genSiege(const mediagen::Context& ctx) {
    // Painted blue all over, frame and seat: one colour, one draw.
    ObjMesh m = plainMesh("siege", video::SColorf(0.18f, 0.32f, 0.62f));
    const f32 w = 0.19f;  // half width across the line
    const f32 back = 0.075f, front = -0.1f;
    const f32 seatY = -0.6f, topY = -0.47f;
    // The grip rides 0.2 above or below the drawn rope at the pylon heads (the
    // carriers' path and the drawn rope take different offsets there): its
    // clamp reaches 0.25 (world) each way so the rope always runs through it.
    m.box(vector3df(-0.06f, -0.0625f, -0.03f), vector3df(0.06f, 0.0625f, 0.03f), NO_UV);
    bar(m, vector3df(0, -0.06f, 0), vector3df(0, -0.4f, 0), 0.02f);
    bar(m, vector3df(0, -0.4f, 0), vector3df(back, topY, 0), 0.02f);
    bar(m, vector3df(back, topY, -w), vector3df(back, topY, w), 0.015f);
    for (f32 z : {-w, w}) {
        bar(m, vector3df(back, topY, z), vector3df(back, seatY, z), 0.015f);
        // armrest and safety bar
        bar(m, vector3df(back, seatY + 0.05f, z), vector3df(front + 0.02f, seatY + 0.05f, z), 0.01f);
        bar(m, vector3df(back, topY, z), vector3df(front - 0.02f, topY - 0.02f, z), 0.012f);
        // foot rest stays
        bar(m, vector3df(front - 0.02f, topY - 0.02f, z * 0.8f), vector3df(front - 0.05f, seatY - 0.1f, z * 0.8f),
            0.01f);
    }
    bar(m, vector3df(front - 0.02f, topY - 0.02f, -w), vector3df(front - 0.02f, topY - 0.02f, w), 0.012f);
    bar(m, vector3df(front - 0.05f, seatY - 0.1f, -w * 0.8f), vector3df(front - 0.05f, seatY - 0.1f, w * 0.8f), 0.015f);
    // The seat spans the frame, its sides in place of rails.
    m.box(vector3df(front, seatY - 0.015f, -w), vector3df(back, seatY + 0.005f, w), NO_UV);
    m.box(vector3df(back - 0.012f, seatY, -w + 0.01f), vector3df(back + 0.004f, seatY + 0.12f, w - 0.01f), NO_UV);
    return m.write(ctx.path("media"), "siege");
}

}  // namespace

MEDIA_GENERATOR(gen_lift_core) {
    bool ok = true;
    ok = genPoulieTK(ctx) && ok;
    ok = genGalet(ctx) && ok;
    ok = genTowerTK(ctx, "pyloneTKFixe-inverse", true) && ok;
    ok = genTowerTK(ctx, "pyloneTKFixe-inverse-montee", false) && ok;
    ok = genTowerTS(ctx, "pyloneTS-moyen", 8.0f) && ok;
    ok = genTowerTS(ctx, "pyloneTS-bas", 5.3f) && ok;
    ok = genTowerTS(ctx, "pyloneTS-haut", 13.0f) && ok;
    ok = genCrossarm(ctx, "potenceTSSupp4G", true) && ok;
    ok = genCrossarm(ctx, "potenceTSComp4G", false) && ok;
    ok = genPinceTKFixe(ctx) && ok;
    ok = genPinceTKD(ctx) && ok;
    ok = genPercheTK(ctx) && ok;
    ok = genSiege(ctx) && ok;
    return ok;
}
