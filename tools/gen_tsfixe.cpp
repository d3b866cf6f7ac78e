// The chairlift's terminals and bullwheel.
//
// Terminal meshes are built in the terminal node's own frame (the game scales
// the node by 4): foot at the origin (slabs and huts reach 3 m into the ground
// for a slope), the line leaving along -X, the up line on
// +Z at the bottom and on -Z at the top. The bullwheel lies in the XZ plane,
// centred on its origin; the game scales it by 0.15 and turns it over (180
// about X), so its shaft is built along -Y to stand up in the game.
//
// The game puts a plain default material on each node's first material, so
// the first material of every mesh carries its colour in Kd (vertex colour)
// and no texture; the other parts map onto the shared atlas.
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

const char* kAtlas = "texture-pylone.png";
const video::SColorf kSlab(0.45f, 0.46f, 0.46f);
// The rope meets the wheel 0.85 (bottom) and 0.9 (top) terminal units from its
// centre, 0.1 below it: 5.67 and 6.0 wheel units out, 0.67 off the hub plane.
const float kBullwheelRimRadius = 5.85f;

// Flat ring about +Y (inner radius ri, outer ro, from y0 to y1), faces outward.
void rim(ObjMesh& m, float ri, float ro, float y0, float y1, int sides, const core::rectf& uv) {
    const core::vector2df t0(uv.UpperLeftCorner.X, uv.LowerRightCorner.Y),
        t1(uv.LowerRightCorner.X, uv.LowerRightCorner.Y), t2(uv.LowerRightCorner.X, uv.UpperLeftCorner.Y),
        t3(uv.UpperLeftCorner.X, uv.UpperLeftCorner.Y);
    auto at = [](float r, float a, float y) { return vector3df(r * std::cos(a), y, r * std::sin(a)); };
    auto face = [&](vector3df a, vector3df b, vector3df c, vector3df d) {
        m.quad(m.vertex(a, t0), m.vertex(b, t3), m.vertex(c, t2), m.vertex(d, t1));
    };
    for (int i = 0; i < sides; ++i) {
        const float a0 = 2.0f * core::PI * i / sides, a1 = 2.0f * core::PI * (i + 1) / sides;
        face(at(ro, a0, y0), at(ro, a0, y1), at(ro, a1, y1), at(ro, a1, y0));  // outer wall
        face(at(ri, a0, y0), at(ri, a1, y0), at(ri, a1, y1), at(ri, a0, y1));  // inner wall
        face(at(ri, a0, y1), at(ri, a1, y1), at(ro, a1, y1), at(ro, a0, y1));  // top
        face(at(ri, a0, y0), at(ro, a0, y0), at(ro, a1, y0), at(ri, a1, y0));  // bottom
    }
}

// Decks under the chairs: the seats hang 0.6 (terminal units) under the rope,
// the foot rests 0.7, and the rope runs no lower than 2.54 at the bottom, 2.9 at the top.
const float kDeckDepart = 1.7f;
const float kDeckArrivee = 1.85f;

// Sloping slab whose top face runs from p to q (in the XY plane), spanning z0..z1.
void ramp(ObjMesh& m, const vector3df& p, const vector3df& q, float z0, float z1, const core::rectf& uv) {
    const vector3df& a = p.X <= q.X ? p : q;
    const vector3df& b = p.X <= q.X ? q : p;
    const float dx = b.X - a.X, dy = b.Y - a.Y;
    const u32 first = m.vertexCount();
    m.box(vector3df(0, -0.15f, z0), vector3df(std::sqrt(dx * dx + dy * dy), 0, z1), uv);
    core::matrix4 turn;
    turn.setRotationRadians(vector3df(0, 0, std::atan2(dy, dx)));
    turn.setTranslation(a);
    m.transformFrom(first, turn);
}

// Sheave trains of the bottom terminal: sheave centres, sorted along the line.
struct Train {
    float z;
    float x[8];
    float y[8];
};
Train train(const vector3df (&galets)[8], float z) {
    Train t{z, {}, {}};
    for (int k = 0; k < 8; ++k) {
        t.x[k] = galets[LiftGeometry::TSFIXE_GALETS_ALONG_LINE[k]].X;
        t.y[k] = galets[LiftGeometry::TSFIXE_GALETS_ALONG_LINE[k]].Y;
    }
    return t;
}
const Train kTrainMontee = train(LiftGeometry::TSFIXE_GALETS_DEPART_MONTEE, 0.85f);
const Train kTrainDescente = train(LiftGeometry::TSFIXE_GALETS_DEPART_DESCENTE, -0.63f);

// Height of the train beam above the sheaves at x (the trains rise towards -X).
float trainBeamY(float x) { return 2.74f + (-4.6f - x) * 0.209f + 0.22f; }

// A hanging train: its beam above the sheaves and a hanger down to every axle,
// on the side away from the middle of the terminal.
void sheaveTrain(ObjMesh& m, const Train& t, const core::rectf& steel) {
    const float zSide = t.z + (t.z > 0 ? 0.09f : -0.09f);
    m.beam(vector3df(-4.4f, trainBeamY(-4.4f), t.z), vector3df(-7.0f, trainBeamY(-7.0f), t.z), 0.12f, steel);
    for (int k = 0; k < 8; ++k)
        m.beam(vector3df(t.x[k], t.y[k], zSide), vector3df(t.x[k], trainBeamY(t.x[k]) + 0.06f, zSide), 0.04f, steel);
}

bool writeBottomTerminal(const mediagen::Context& ctx) {
    ObjMesh m;
    const core::rectf steel = atlasRect(mediagen::TILE_STEEL_GREY), red = atlasRect(mediagen::TILE_PAINT_RED),
                      wood = atlasRect(mediagen::TILE_WOOD), roof = atlasRect(mediagen::TILE_ROOF_GREY),
                      concrete = atlasRect(mediagen::TILE_CONCRETE), window = atlasRect(mediagen::TILE_WINDOW),
                      white = atlasRect(mediagen::TILE_WHITE_PAINT);
    const core::rectf none(0, 0, 0, 0);

    // Slab, and the column the bullwheel turns on.
    const vector3df wheel = LiftGeometry::TSFIXE_POULIE_DEPART;
    m.useMaterial("beton", "", kSlab);
    m.box(vector3df(-7.4f, -0.75f, -1.9f), vector3df(3.2f, 0.2f, 2.1f), none);
    m.box(vector3df(wheel.X - 0.2f, kDeckDepart, wheel.Z - 0.2f), vector3df(wheel.X + 0.2f, 2.76f, wheel.Z + 0.2f),
          none);

    m.useMaterial("atlas", kAtlas);
    // The boarding deck under the chairs' seats, with its ramp.
    m.box(vector3df(-4.4f, 0.2f, -1.3f), vector3df(2.9f, kDeckDepart, 1.6f), concrete);
    ramp(m, vector3df(-7.4f, 0.2f, 0), vector3df(-4.4f, kDeckDepart, 0), -1.3f, 1.6f, concrete);
    // Drive housing over the bullwheel (rim radius 0.87 about (2.0, 0.14)).
    m.box(vector3df(1.05f, 3.05f, -0.8f), vector3df(2.95f, 3.6f, 1.08f), red);
    m.box(vector3df(1.3f, 3.6f, -0.5f), vector3df(2.7f, 3.75f, 0.78f), steel);
    // Spine from the housing to the far end of the trains, above the rope.
    m.beam(vector3df(1.1f, 3.3f, 0.14f), vector3df(-7.0f, trainBeamY(-7.0f) + 0.25f, 0.14f), 0.16f, steel);
    // Two portals carry the trains, their legs clear of the chairs.
    for (float x : {-4.8f, -6.6f}) {
        const float top = trainBeamY(x) + 0.25f;
        m.beam(vector3df(x, 0.2f, 1.7f), vector3df(x, top, 1.7f), 0.14f, steel);
        m.beam(vector3df(x, 0.2f, -1.5f), vector3df(x, top, -1.5f), 0.14f, steel);
        m.beam(vector3df(x, top, 1.77f), vector3df(x, top, -1.57f), 0.14f, steel);
        m.beam(vector3df(x, top, kTrainMontee.z), vector3df(x, trainBeamY(x), kTrainMontee.z), 0.08f, steel);
        m.beam(vector3df(x, top, kTrainDescente.z), vector3df(x, trainBeamY(x), kTrainDescente.z), 0.08f, steel);
    }
    sheaveTrain(m, kTrainMontee, steel);
    sheaveTrain(m, kTrainDescente, steel);
    // Boarding line painted on the deck, under the up line.
    m.box(vector3df(-2.6f, kDeckDepart, 0.5f), vector3df(-2.45f, kDeckDepart + 0.01f, 1.5f), white);
    // Operator hut beside the down line, its window above the deck.
    m.box(vector3df(-1.6f, -0.6f, -2.7f), vector3df(-0.3f, 2.3f, -1.75f), wood);
    m.box(vector3df(-1.3f, 1.8f, -1.76f), vector3df(-0.6f, 2.2f, -1.72f), window);
    m.box(vector3df(-1.75f, 2.3f, -2.85f), vector3df(-0.15f, 2.42f, -1.6f), roof);
    return m.write(ctx.path("media"), "gareTSfixe2");
}

bool writeReturnTerminal(const mediagen::Context& ctx) {
    ObjMesh m;
    const core::rectf steel = atlasRect(mediagen::TILE_STEEL_GREY), red = atlasRect(mediagen::TILE_PAINT_RED),
                      wood = atlasRect(mediagen::TILE_WOOD), roof = atlasRect(mediagen::TILE_ROOF_GREY),
                      concrete = atlasRect(mediagen::TILE_CONCRETE);
    const core::rectf none(0, 0, 0, 0);

    // Slab, and the column under the bullwheel.
    const vector3df wheel = LiftGeometry::TSFIXE_POULIE_ARRIVEE;
    m.useMaterial("beton", "", kSlab);
    m.box(vector3df(-2.4f, -0.75f, -1.9f), vector3df(2.5f, 0.2f, 1.9f), none);
    m.box(vector3df(wheel.X - 0.2f, kDeckArrivee, wheel.Z - 0.2f), vector3df(wheel.X + 0.2f, 2.86f, wheel.Z + 0.2f),
          none);

    m.useMaterial("atlas", kAtlas);
    // The unloading deck, with its ramp down behind the bullwheel.
    m.box(vector3df(-2.0f, 0.2f, -1.6f), vector3df(2.5f, kDeckArrivee, 1.6f), concrete);
    ramp(m, vector3df(2.5f, kDeckArrivee, 0), vector3df(5.3f, 0.15f, 0), -1.6f, 1.6f, concrete);
    // Cap over the bullwheel (rim radius 0.87 about (1.2, 0)).
    m.box(vector3df(0.25f, 3.15f, -1.0f), vector3df(2.15f, 3.4f, 1.0f), red);
    // The two support sheaves (axles at (-1.33, 2.8, +-0.84)) on brackets from outside the line.
    for (float z : {0.84f, -0.835f}) {
        const float side = z > 0 ? 1.0f : -1.0f;
        const float post = z + side * 0.6f;
        m.beam(vector3df(-1.33f, kDeckArrivee, post), vector3df(-1.33f, 2.85f, post), 0.12f, steel);
        m.beam(vector3df(-1.33f, 2.8f, post), vector3df(-1.33f, 2.8f, z + side * 0.06f), 0.06f, steel);
    }
    // Tension frame behind the bullwheel and a small hut.
    m.beam(vector3df(2.3f, kDeckArrivee, 0.0f), vector3df(2.3f, 3.15f, 0.0f), 0.18f, steel);
    m.box(vector3df(-2.2f, -0.6f, 1.6f), vector3df(-1.2f, 1.1f, 2.4f), wood);
    m.box(vector3df(-2.3f, 1.1f, 1.5f), vector3df(-1.1f, 1.2f, 2.5f), roof);
    return m.write(ctx.path("media"), "retourTsFixe");
}

bool writeBullwheel(const mediagen::Context& ctx) {
    ObjMesh m;
    // Rim, hub, spokes and shaft in one dark colour: one draw, no texture. The
    // shaft runs along -Y (up once the wheel is turned over) into the hub.
    m.useMaterial("roue", "", video::SColorf(0.22f, 0.23f, 0.25f));
    const core::rectf none(0, 0, 0, 0);
    m.cylinder(vector3df(0, -0.9f, 0), vector3df(0, 0.9f, 0), 0.9f, 8, none);
    m.cylinder(vector3df(0, -3.2f, 0), vector3df(0, -0.9f, 0), 0.45f, 6, none, ObjMesh::START);
    const int spokes = 6;
    for (int i = 0; i < spokes; ++i) {
        const float a = 2.0f * core::PI * i / spokes;
        m.beam(vector3df(0.8f * std::cos(a), 0, 0.8f * std::sin(a)),
               vector3df(5.0f * std::cos(a), 0, 5.0f * std::sin(a)), 0.4f, none, ObjMesh::NO_ENDS);
    }
    // The rim the rope runs on.
    rim(m, kBullwheelRimRadius - 0.9f, kBullwheelRimRadius, -0.95f, 0.95f, 16, none);
    return m.write(ctx.path("media"), "PoulieTS");
}

}  // namespace

MEDIA_GENERATOR(gen_tsfixe) { return writeBottomTerminal(ctx) && writeReturnTerminal(ctx) && writeBullwheel(ctx); }
