// The detachable surface lift: bottom station, top terminal and the one wheel
// mesh that serves as both bullwheels and all four station sheaves.
// Every mesh is built in its node's own frame (before the node's scale), with
// the wheel seats and the rope's path where the lift puts its wheel nodes and
// rope markers; nothing of the structure stands under the rope, where the
// poles hang.
#include <cmath>
#include <vector>
#include "Atlas.h"
#include "LiftGeometry.h"
#include "MediaGenerator.h"
#include "ObjMesh.h"
#include "WheelAxle.h"

using namespace irr;
using core::vector2df;
using core::vector3df;
using mediagen::atlasRect;
using mediagen::ObjMesh;

namespace {

// "media/poulie-TKD.obj": a grooved wheel lying in XZ about +Y. The rope runs
// in the groove at radius 1.4: the lift's markers put it 1.3 to 1.45 wheel
// units from the hub of each wheel (bullwheels at scale 0.23 and 0.65, sheaves
// at 0.2), all inside the 1.55 flanges.
bool buildPoulie(const mediagen::Context& ctx) {
    // One plain colour, no texture: six of these turn in every lift.
    ObjMesh m;
    m.useMaterial("poulieTKD", "", video::SColorf(0.26f, 0.27f, 0.29f));
    const core::rectf none(0, 0, 0, 0);
    m.lathe({{1.2f, -0.15f}, {1.55f, -0.15f}, {1.4f, 0.0f}, {1.55f, 0.15f}, {1.2f, 0.15f}}, 14, none);
    m.cylinder(vector3df(0, -0.22f, 0), vector3df(0, 0.22f, 0), 0.3f, 8, none);
    for (int i = 0; i < 4; ++i) {
        const float a = 2.0f * core::PI * i / 4;
        const vector3df dir(std::cos(a), 0, std::sin(a));
        m.beam(dir * 0.25f, dir * 1.25f, 0.12f, none, ObjMesh::NO_ENDS);
    }
    return m.write(ctx.path("media"), "poulie-TKD");
}

// The poles wait on the rope 11.9 m over the clicked point and hang 6.5 m
// under it: the skiers board from a deck 3.2 m up under the waiting stretch
// (z > 0), the bar at head height over it, with a boarding line under the rope
// and steps down along its outer edge. Station units (the node scales by 4).
void boardingDeck(ObjMesh& m, float floorY) {
    const core::rectf wood = atlasRect(mediagen::TILE_WOOD), steel = atlasRect(mediagen::TILE_STEEL_GREY);
    const float x0 = -2.3f, x1 = 1.7f, z0 = 0.1f, z1 = 0.75f, top = 1.8f, slab = 0.05f;
    m.box(vector3df(x0, top - slab, z0), vector3df(x1, top, z1), wood);
    m.box(vector3df(x0, top, 0.3f), vector3df(x1, top + 0.005f, 0.38f), atlasRect(mediagen::TILE_WHITE_PAINT));
    for (float x : {x0 + 0.05f, -0.3f, x1 - 0.05f})
        for (float z : {z0 + 0.05f, z1 - 0.05f})
            m.beam(vector3df(x, floorY, z), vector3df(x, top - slab, z), 0.05f, steel);
    // Steps from the floor up to the deck's downhill end, outside it.
    const int steps = 6;
    const float run = 0.28f, rise = (top - floorY) / steps;
    for (int i = 0; i < steps; ++i)
        m.box(vector3df(x1 - run * (i + 1), floorY, z1),
              vector3df(x1 - run * i, floorY + rise * (steps - i), z1 + 0.22f), wood);
}

// "media/gareTKD.obj", node scale 4, the node 1 unit (4 world units) below the
// clicked point: the floor is at y 1, the foundation below it sits in the
// slope. The return bullwheel, turned, and the two sheaves sit where
// LiftGeometry puts them: the poles wait on the up line at z +0.33 from the
// wheel to its sheave; the down line comes in over the other. Both sheaves hang from a gantry along z 0, between the
// two lines. Material 0 (the foundation) gets the lift's plain material.
bool buildGareDepart(const mediagen::Context& ctx) {
    ObjMesh m;
    m.useMaterial("beton", "", video::SColorf(0.62f, 0.62f, 0.6f, 1));
    const float floorY = 1.03f;
    m.box(vector3df(-2.9f, 0.0f, -1.0f), vector3df(2.0f, floorY, 1.0f), atlasRect(mediagen::TILE_CONCRETE));

    m.useMaterial("gareTKD", "texture-pylone.png");
    const core::rectf red = atlasRect(mediagen::TILE_PAINT_RED), steel = atlasRect(mediagen::TILE_STEEL_GREY);
    const core::rectf dark = atlasRect(mediagen::TILE_DARK_METAL);
    const float gantryY0 = 4.33f, gantryY1 = 4.45f;

    // Bullwheel: a column up to just under the wheel, the axle stub along the
    // tilted axle through the hub, the drive housing over it.
    const vector3df hub = LiftGeometry::TKD_POULIE_DEPART;
    const vector3df axle = mediagen::wheelAxleUp(LiftGeometry::TKD_POULIE_DEPART_TURN);
    m.beam(vector3df(hub.X, floorY, 0), vector3df(hub.X, 3.85f, 0), 0.14f, red);
    m.cylinder(hub - axle * 0.12f, hub + axle * 0.2f, 0.05f, 8, dark);
    m.box(vector3df(0.75f, 4.15f, -0.45f), vector3df(1.75f, gantryY1, 0.45f), red);
    m.box(vector3df(0.65f, gantryY1, -0.55f), vector3df(1.85f, gantryY1 + 0.07f, 0.55f),
          atlasRect(mediagen::TILE_ROOF_GREY));

    // Gantry from the housing to the uphill end, on two columns between the lines.
    m.box(vector3df(-2.45f, gantryY0, -0.06f), vector3df(0.75f, gantryY1, 0.06f), steel);
    for (float x : {-2.45f, -0.8f}) m.beam(vector3df(x, floorY, 0), vector3df(x, gantryY0, 0), 0.12f, red);

    // Each sheave on a hanger from the gantry and an axle stub out to its line.
    for (const vector3df& s : {LiftGeometry::TKD_GALET_DEPART_MONTEE, LiftGeometry::TKD_GALET_DEPART_DESCENTE}) {
        m.beam(vector3df(s.X, s.Y, 0), vector3df(s.X, gantryY0, 0), 0.08f, steel);
        m.cylinder(vector3df(s.X, s.Y, 0), s, 0.03f, 8, dark);
    }

    // Operator's cabin on the down-line side, well below the passing poles.
    const float cabinTop = 1.75f;
    m.box(vector3df(-0.6f, floorY, -0.95f), vector3df(0.4f, cabinTop, -0.55f), atlasRect(mediagen::TILE_WOOD));
    m.box(vector3df(-0.4f, 1.35f, -0.96f), vector3df(0.2f, 1.6f, -0.95f), atlasRect(mediagen::TILE_WINDOW));
    m.box(vector3df(-0.7f, cabinTop, -1.0f), vector3df(0.5f, cabinTop + 0.07f, -0.5f),
          atlasRect(mediagen::TILE_ROOF_GREY));
    boardingDeck(m, floorY);
    return m.write(ctx.path("media"), "gareTKD");
}

// "media/gareArriveeTKD.obj", node scale 4.2, standing on the clicked point
// (floor y 0). Local +Z points back down the line. The rope comes in over the
// sheaves at (-1.0 / +1.0, 2.93, -1.29) (rope on top at y 3.2) and turns round
// the bullwheel lying at (0, 3.25, -3.4), radius 0.9. A portal carries the
// sheaves from outside the lines; the bullwheel hangs under its housing.
bool buildGareArrivee(const mediagen::Context& ctx) {
    ObjMesh m;
    m.useMaterial("gareArriveeTKD", "texture-pylone.png");
    const core::rectf red = atlasRect(mediagen::TILE_PAINT_RED), steel = atlasRect(mediagen::TILE_STEEL_GREY);
    const core::rectf dark = atlasRect(mediagen::TILE_DARK_METAL);
    const float floorY = 0.04f, topY0 = 3.5f, topY1 = 3.6f;

    m.box(vector3df(-1.5f, -0.6f, -4.6f), vector3df(1.5f, floorY, 0.2f), atlasRect(mediagen::TILE_CONCRETE));
    m.box(vector3df(-1.4f, floorY, -1.0f), vector3df(1.4f, floorY + 0.06f, 0.2f), atlasRect(mediagen::TILE_WOOD));

    // Bullwheel: post through the hub up to the housing.
    const float wheelZ = LiftGeometry::TKD_POULIE_ARRIVEE.Z;
    m.beam(vector3df(0, floorY, wheelZ), vector3df(0, 3.1f, wheelZ), 0.16f, red);
    m.cylinder(vector3df(0, 3.1f, wheelZ), vector3df(0, topY1, wheelZ), 0.06f, 8, dark);
    m.box(vector3df(-1.15f, topY1, -4.55f), vector3df(1.15f, topY1 + 0.2f, -2.25f), red);
    m.box(vector3df(-1.25f, topY1 + 0.2f, -4.65f), vector3df(1.25f, topY1 + 0.27f, -2.15f),
          atlasRect(mediagen::TILE_ROOF_GREY));

    // Sheave portal: posts outside the lines, axle stubs in to the sheaves,
    // a cross beam over the rope and two rails back to the housing.
    const float sheaveY = LiftGeometry::TKD_GALET_ARRIVEE_DESCENTE.Y;
    const float sheaveZ = LiftGeometry::TKD_GALET_ARRIVEE_DESCENTE.Z;
    const float postX = 1.3f;
    for (float side : {-1.0f, 1.0f}) {
        m.beam(vector3df(side * postX, floorY, sheaveZ), vector3df(side * postX, topY0, sheaveZ), 0.12f, red);
        m.cylinder(vector3df(side * 1.0f, sheaveY, sheaveZ), vector3df(side * (postX - 0.06f), sheaveY, sheaveZ), 0.03f,
                   8, dark);
        m.box(vector3df(side * 1.2f - 0.05f, topY0, -2.25f), vector3df(side * 1.2f + 0.05f, topY1, sheaveZ), steel);
    }
    m.box(vector3df(-postX - 0.06f, topY0, sheaveZ - 0.06f), vector3df(postX + 0.06f, topY1, sheaveZ + 0.06f), steel);
    return m.write(ctx.path("media"), "gareArriveeTKD");
}

}  // namespace

MEDIA_GENERATOR(gen_tkd) { return buildPoulie(ctx) && buildGareDepart(ctx) && buildGareArrivee(ctx); }
