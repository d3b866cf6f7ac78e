// Long runs of each kind of lift with random frame times between 0 and 0.5 s,
// speed changes and stops, as the lift window allows: every carrier stays on
// its rope loop and keeps moving, nothing becomes NaN or infinite, and the
// detachable lift's pole, sent off whenever it waits, keeps making trips.
// TRAVONDEL_SOAK_FRAMES sets the frames per lift (a million for the full soak).
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>
#include "LiftRig.h"
#include "NullDeviceTest.h"

using namespace irr;
using core::vector3df;

namespace {

u32 framesPerLift() {
    const char* v = getenv("TRAVONDEL_SOAK_FRAMES");
    return v && atoi(v) > 0 ? static_cast<u32>(atoi(v)) : 20000;
}

bool finite(const vector3df& v) { return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z); }

// The rope loop as a path in space: its straight pieces, and round each
// bullwheel the disc out to the rope points on either side of it (a carrier
// rounds a wheel inside the rope's own circle, closer to the wheel's axle).
struct RopePath {
    struct Wheel {
        vector3df centre;
        f32 radius;
    };
    std::vector<core::line3df> lines;
    std::vector<Wheel> wheels;

    explicit RopePath(CRemontee* lift) {
        const s32 n = static_cast<s32>(lift->arrTroncons.size());
        for (s32 i = 0; i < n; ++i) {
            const CTronconRM* t = lift->GetTronconByNumero(i);
            if (t->type == POULIEDEPART || t->type == POULIEARRIVEE) {
                const CTronconRM* prev = lift->GetTronconByNumero((i + n - 1) % n);
                const CTronconRM* next = lift->GetTronconByNumero((i + 1) % n);
                wheels.push_back(
                    {t->centre, std::max(horizontal(prev->fin - t->centre), horizontal(next->debut - t->centre))});
            } else {
                lines.push_back(core::line3df(t->debut, t->fin));
            }
        }
    }

    f32 distance(const vector3df& p) const {
        f32 best = 1e30f;
        for (const core::line3df& l : lines) best = std::min(best, p.getDistanceFrom(l.getClosestPoint(p)));
        for (const Wheel& w : wheels) {
            const f32 radial = std::max(0.0f, horizontal(p - w.centre) - w.radius), dy = p.Y - w.centre.Y;
            best = std::min(best, std::sqrt(radial * radial + dy * dy));
        }
        return best;
    }

    static f32 horizontal(const vector3df& d) { return std::sqrt(d.X * d.X + d.Z * d.Z); }

    f32 longestLine() const {
        f32 longest = 0;
        for (const core::line3df& l : lines) longest = std::max(longest, l.getLength());
        return longest;
    }

    f32 length() const {
        f32 total = 0;
        for (const core::line3df& l : lines) total += l.getLength();
        for (const Wheel& w : wheels) total += 3.1415927f * w.radius;
        return total;
    }
};

// Every node of the scene: finite place and turn, angles that stay bounded.
bool sceneIsSane(scene::ISceneNode* node, std::string& why) {
    const vector3df r = node->getRotation();
    if (!finite(node->getPosition()) || !finite(r) || std::fabs(r.X) > 720 || std::fabs(r.Y) > 720 ||
        std::fabs(r.Z) > 720) {
        why = std::string("node ") + node->getName();
        return false;
    }
    for (scene::ISceneNode* child : node->getChildren())
        if (!sceneIsSane(child, why)) return false;
    return true;
}

struct SoakCase {
    s32 kind;
    u32 pylons;
};

std::string caseName(const ::testing::TestParamInfo<SoakCase>& info) {
    const char* kind = info.param.kind == REMONTEE_TKFIXE   ? "SurfaceLift"
                       : info.param.kind == REMONTEE_TSFIXE ? "Chairlift"
                                                            : "DetachableLift";
    return std::string(kind) + std::to_string(info.param.pylons) + "Pylons";
}

}  // namespace

class SoakTest : public NullDeviceTest, public ::testing::WithParamInterface<SoakCase> {
protected:
    void TearDown() override {
        delete lift;
        lift = nullptr;
        NullDeviceTest::TearDown();
    }
    CRemontee* lift = nullptr;
};

TEST_P(SoakTest, CarriersStayOnTheRopeAndKeepMoving) {
    const SoakCase c = GetParam();
    const u32 frames = framesPerLift();
    capture.start();  // the build and the pole launches trace every step
    lift = LiftRig::build(c.kind, smgr, driver, vector3df(100, 50, 80), vector3df(420, 190, 1000), c.pylons);
    const RopePath rope(lift);
    CTKDebrayable* detachable = c.kind == REMONTEE_TKDEBRAYABLE ? static_cast<CTKDebrayable*>(lift) : nullptr;
    const u32 carriers = lift->arrVehicules.size();
    ASSERT_GT(carriers, 0u);

    // Bounds on a moving carrier, from the slowest speed and the mean frame
    // time, twice over, plus the longest stop: it changes segment within the
    // time the longest straight piece takes, and rounds the top wheel again
    // within the time the whole loop takes.
    const f32 slowest = 0.1f * lift->vitesseMax * 0.25f;
    const u32 stallLimit = static_cast<u32>(2 * std::max(rope.longestLine(), 10.0f) / slowest) + 200;
    const u32 loopLimit = static_cast<u32>(2 * rope.length() / slowest) + 200;

    std::mt19937 rng(1234 + c.kind * 10 + c.pylons);
    std::uniform_real_distribution<f32> frameTime(0.0f, 0.5f);
    std::uniform_real_distribution<f32> speedShare(0.1f, 1.0f);
    const vector3df camera(120, 60, 100);  // near the bottom terminal: the motor sound follows it
    std::vector<s32> segment(carriers);
    std::vector<u32> sinceChange(carriers, 0), lastTopPass(carriers, 0);
    for (u32 k = 0; k < carriers; ++k) segment[k] = lift->arrVehicules[k]->numtroncon;
    u32 topWheelPasses = 0, stoppedFor = 0;
    f32 worst = 0;
    std::string why;

    for (u32 frame = 0; frame < frames; ++frame) {
        // The lift window: now and then a new speed, or "Marche / Arret" for a while.
        if (rng() % 3000 == 0) lift->vitesse = speedShare(rng) * lift->vitesseMax;
        if (stoppedFor > 0 && --stoppedFor == 0) lift->running = true;
        if (lift->running && rng() % 5000 == 0) {
            lift->running = false;
            stoppedFor = 1 + rng() % 200;
        }
        if (detachable && detachable->countPerchesInGare() > 0 && rng() % 4 == 0) detachable->lancePerche();

        const f32 dt = frameTime(rng);
        lift->drawCables();
        lift->update(&camera, dt);
        stepFrame();

        for (u32 k = 0; k < carriers; ++k) {
            CVehicule* v = lift->arrVehicules[k];
            const vector3df p = v->getPosition();
            ASSERT_TRUE(finite(p) && finite(v->getRotation()) && std::isfinite(v->progression))
                << "carrier " << k << " at frame " << frame;
            const f32 off = rope.distance(p);
            worst = std::max(worst, off);
            ASSERT_LT(off, 0.6f) << "carrier " << k << " left the rope at frame " << frame << " on segment "
                                 << v->numtroncon << " (" << p.X << ", " << p.Y << ", " << p.Z << ")";
            const CTronconRM* t = lift->GetTronconByNumero(v->numtroncon);
            ASSERT_NE(t, nullptr) << "carrier " << k << " at frame " << frame;
            if (v->numtroncon != segment[k]) {
                if (t->type == POULIEARRIVEE) {
                    ASSERT_LT(frame - lastTopPass[k], loopLimit) << "carrier " << k << " took too long round the loop";
                    lastTopPass[k] = frame;
                    ++topWheelPasses;
                }
                segment[k] = v->numtroncon;
                sinceChange[k] = 0;
            } else if (lift->running && t->type != TRONCON_GARETKD) {
                ASSERT_LT(++sinceChange[k], stallLimit) << "carrier " << k << " stuck on segment " << segment[k];
            }
        }
        if (frame % 64 == 0) {
            ASSERT_TRUE(sceneIsSane(smgr->getRootSceneNode(), why)) << why << " at frame " << frame;
        }
    }
    capture.stop();

    for (u32 k = 0; k < carriers; ++k) EXPECT_LT(frames - lastTopPass[k], loopLimit) << "carrier " << k;
    printf("%s, %u pylons: %u frames, %u carriers, %u top-wheel passes, farthest from the rope %.3f\n",
           LiftRig::kindName(c.kind), c.pylons, frames, carriers, topWheelPasses, worst);
}

INSTANTIATE_TEST_SUITE_P(Lifts, SoakTest,
                         ::testing::Values(SoakCase{REMONTEE_TKFIXE, 6}, SoakCase{REMONTEE_TSFIXE, 6},
                                           SoakCase{REMONTEE_TKDEBRAYABLE, 0}, SoakCase{REMONTEE_TKDEBRAYABLE, 4}),
                         caseName);
