// The fixed-grip surface lift's two terminals. Both are built in the terminal
// node's own frame (before its scale): local -X points along the line away
// from the terminal, and the bullwheel hangs from a cantilever at the exact
// spot where the lift seats its wheel node, so nothing of the structure stands
// in the circle the carriers sweep under the wheel or in the rope's way out.
#include "Atlas.h"
#include "LiftGeometry.h"
#include "MediaGenerator.h"
#include "ObjMesh.h"
#include "WheelAxle.h"

using namespace irr;
using core::vector3df;
using mediagen::atlasRect;
using mediagen::ObjMesh;

namespace {

// A hub seat: a stub along the axle from just above the wheel to the boom,
// topped by the drive (or return) housing. Returns the stub's top.
vector3df wheelSeat(ObjMesh& m, const vector3df& hub, const vector3df& axle, float stubLength, float housing) {
    const vector3df bottom = hub + axle * 0.15f;
    const vector3df top = hub + axle * stubLength;
    m.cylinder(bottom, top, 0.12f, 10, atlasRect(mediagen::TILE_DARK_METAL));
    m.box(top - vector3df(housing, 0.05f, housing * 0.8f), top + vector3df(housing, housing * 1.2f, housing * 0.8f),
          atlasRect(mediagen::TILE_PAINT_RED));
    return top;
}

void hut(ObjMesh& m, const vector3df& mn, const vector3df& mx) {
    m.box(mn, mx, atlasRect(mediagen::TILE_WOOD));
    // A stone plinth down into the ground, for a slope.
    m.box(vector3df(mn.X, mn.Y - 0.6f, mn.Z), vector3df(mx.X, mn.Y, mx.Z), atlasRect(mediagen::TILE_CONCRETE));
    // A window on each long side and a flat grey roof with eaves.
    const float wy0 = mn.Y + (mx.Y - mn.Y) * 0.45f, wy1 = mn.Y + (mx.Y - mn.Y) * 0.8f;
    const float wx0 = mn.X + (mx.X - mn.X) * 0.25f, wx1 = mn.X + (mx.X - mn.X) * 0.75f;
    m.box(vector3df(wx0, wy0, mn.Z - 0.03f), vector3df(wx1, wy1, mn.Z), atlasRect(mediagen::TILE_WINDOW));
    m.box(vector3df(wx0, wy0, mx.Z), vector3df(wx1, wy1, mx.Z + 0.03f), atlasRect(mediagen::TILE_WINDOW));
    m.box(vector3df(mn.X - 0.2f, mx.Y, mn.Z - 0.2f), vector3df(mx.X + 0.2f, mx.Y + 0.15f, mx.Z + 0.2f),
          atlasRect(mediagen::TILE_ROOF_GREY));
}

// Loading deck under the start of the up line (z < 0): the rope leaves the
// wheel 9.4 m up and the T-bars hang 4.6 m under it, so the skiers board from
// a timber deck 2.4 m up (the bars at head height), reached by steps at the
// wheel's end. Its posts reach below ground for a slope.
void loadingDeck(ObjMesh& m) {
    const core::rectf wood = atlasRect(mediagen::TILE_WOOD), steel = atlasRect(mediagen::TILE_STEEL_GREY);
    const float x0 = -4.5f, x1 = -0.3f, z0 = -1.6f, z1 = -0.2f, top = 1.35f, slab = 0.15f;
    m.box(vector3df(x0, top - slab, z0), vector3df(x1, top, z1), wood);
    m.box(vector3df(x0, top, z1 - 0.05f), vector3df(x1, top + 0.02f, z1), atlasRect(mediagen::TILE_WHITE_PAINT));
    for (float x : {x0 + 0.1f, (x0 + x1) / 2, x1 - 0.1f})
        for (float z : {z0 + 0.1f, z1 - 0.1f})
            m.beam(vector3df(x, -0.8f, z), vector3df(x, top - slab, z), 0.12f, steel);
    const int steps = 5;
    const float run = 0.17f;
    for (int i = 0; i < steps; ++i)
        m.box(vector3df(x1 + run * (steps - 1 - i), -0.3f, z0),
              vector3df(x1 + run * (steps - i), top * (i + 1) / steps, z0 + 0.7f), wood);
}

// Bottom terminal, "media/departTKFixe.obj" (node scale 1.8): the drive
// bullwheel at (-1.2, 5.2, 0) turned (180, 0, -10), rope markers on its rim at
// z -0.8 / +0.8. A mast behind the wheel carries the boom with the motor over
// the hub; the operator's hut stands behind, the loading deck in front.
bool buildDepart(const mediagen::Context& ctx) {
    ObjMesh m;
    m.useMaterial("pylone", "texture-pylone.png");
    const vector3df hub = LiftGeometry::TKFIXE_POULIE_DEPART;
    const vector3df axle = mediagen::wheelAxleUp(LiftGeometry::TKFIXE_POULIE_DEPART_TURN);
    const vector3df seat = wheelSeat(m, hub, axle, 0.9f, 0.35f);
    const float boomY = seat.Y + 0.2f;

    // Foundation and mast, well behind the 0.8 wheel rim and the carriers' turn.
    m.box(vector3df(0.6f, -0.6f, -1.0f), vector3df(2.6f, 0.3f, 1.0f), atlasRect(mediagen::TILE_CONCRETE));
    m.beam(vector3df(1.6f, 0.3f, 0.0f), vector3df(1.6f, boomY + 0.3f, 0.0f), 0.45f,
           atlasRect(mediagen::TILE_PAINT_RED));
    // Boom from the mast over the hub, and its stay.
    m.beam(vector3df(1.9f, boomY, 0.0f), vector3df(seat.X - 0.3f, boomY, seat.Z), 0.3f,
           atlasRect(mediagen::TILE_PAINT_RED));
    m.beam(vector3df(1.6f, boomY - 2.0f, 0.0f), vector3df(0.2f, boomY, 0.0f), 0.15f,
           atlasRect(mediagen::TILE_STEEL_GREY));
    // The drive's motor sits on the boom beside the gearbox.
    m.box(vector3df(0.3f, boomY + 0.15f, -0.3f), vector3df(1.1f, boomY + 0.75f, 0.3f),
          atlasRect(mediagen::TILE_DARK_METAL));

    hut(m, vector3df(2.8f, 0.0f, -1.2f), vector3df(4.8f, 2.3f, 1.2f));
    loadingDeck(m);
    return m.write(ctx.path("media"), "departTKFixe");
}

// Top terminal, "media/baseArriveeTK.obj" (node scale 1.5): the return
// bullwheel far out where LiftGeometry puts it, tilted back, so its rim carries
// the up line at (z 1.4, y 14.2) and the down line at (z -1.4, y 14.8). A portal
// behind the wheel holds the boom; a truss runs down to the anchor block at the
// terminal's origin. The legs reach below ground for a slope down the line.
bool buildArrivee(const mediagen::Context& ctx) {
    ObjMesh m;
    m.useMaterial("pylone", "texture-pylone.png");
    const vector3df hub = LiftGeometry::TKFIXE_POULIE_ARRIVEE;
    const vector3df axle = mediagen::wheelAxleUp(LiftGeometry::TKFIXE_POULIE_ARRIVEE_TURN);
    const vector3df seat = wheelSeat(m, hub, axle, 1.0f, 0.45f);
    const float topY = seat.Y + 0.3f;
    const float portalX = -11.4f, legZ = 2.4f, footY = -6.0f;
    const core::rectf yellow = atlasRect(mediagen::TILE_PAINT_YELLOW);
    const core::rectf steel = atlasRect(mediagen::TILE_STEEL_GREY);

    // Boom over the hub, from the portal's head.
    m.beam(vector3df(portalX + 0.3f, topY, 0.0f), vector3df(seat.X - 0.45f, topY, seat.Z), 0.4f, yellow);
    m.beam(vector3df(seat.X, seat.Y + 0.1f, seat.Z), vector3df(seat.X, topY, seat.Z), 0.2f, yellow);
    // Portal: two legs, head beam, cross bracing.
    for (float z : {-legZ, legZ}) {
        m.box(vector3df(portalX - 0.6f, footY - 0.4f, z - 0.6f), vector3df(portalX + 0.6f, footY + 0.4f, z + 0.6f),
              atlasRect(mediagen::TILE_CONCRETE));
        m.beam(vector3df(portalX, footY, z), vector3df(portalX, topY + 0.2f, z), 0.4f, yellow);
    }
    m.beam(vector3df(portalX, topY, -legZ - 0.2f), vector3df(portalX, topY, legZ + 0.2f), 0.4f, yellow);
    for (float y = footY; y + 3.0f <= topY; y += 3.0f) {
        m.beam(vector3df(portalX, y, -legZ), vector3df(portalX, y + 3.0f, legZ), 0.12f, steel);
        m.beam(vector3df(portalX, y, legZ), vector3df(portalX, y + 3.0f, -legZ), 0.12f, steel);
    }
    // Truss from the portal's head down to the anchor, two chords with struts.
    const vector3df anchorTop(-0.8f, 2.0f, 0.0f);
    for (float z : {-1.0f, 1.0f}) {
        m.beam(vector3df(portalX, topY - 0.2f, z), vector3df(anchorTop.X, anchorTop.Y, z), 0.3f, yellow);
        m.beam(vector3df(portalX, topY - 3.0f, z), vector3df(anchorTop.X, anchorTop.Y - 1.2f, z), 0.25f, yellow);
    }
    for (int k = 0; k <= 5; ++k) {
        const float f = k / 5.0f;
        const vector3df up = vector3df(portalX, topY - 0.2f, 0).getInterpolated(anchorTop, 1.0f - f);
        const vector3df lo =
            vector3df(portalX, topY - 3.0f, 0).getInterpolated(anchorTop - vector3df(0, 1.2f, 0), 1.0f - f);
        m.beam(vector3df(lo.X, lo.Y, -1.0f), vector3df(up.X, up.Y, -1.0f), 0.12f, steel);
        m.beam(vector3df(lo.X, lo.Y, 1.0f), vector3df(up.X, up.Y, 1.0f), 0.12f, steel);
    }
    // Anchor block and the attendant's hut beside it.
    m.box(vector3df(-1.8f, -1.0f, -1.8f), vector3df(1.2f, 2.0f, 1.8f), atlasRect(mediagen::TILE_CONCRETE));
    hut(m, vector3df(1.6f, 0.0f, -1.5f), vector3df(4.0f, 2.4f, 1.5f));
    return m.write(ctx.path("media"), "baseArriveeTK");
}

}  // namespace

MEDIA_GENERATOR(gen_tkfixe) {
    bool ok = buildDepart(ctx);
    ok = buildArrivee(ctx) && ok;
    return ok;
}
