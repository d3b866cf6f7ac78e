// Fixed-grip surface lift running: T-bars round the loop, wheels, stop and run, motor sound.
#include <cmath>
#include <algorithm>
#include <map>
#include <string>
#include "TKFixeTest.h"

using namespace irr;
using core::vector3df;

namespace {

// A stream that only records what the lift asks of it.
class RecordingStream : public audiere::OutputStream {
public:
    void ref() override { ++refs; }
    void unref() override { --refs; }
    void play() override { playing = true; }
    void stop() override { playing = false; }
    bool isPlaying() override { return playing; }
    void reset() override {}
    void setRepeat(bool r) override { repeat = r; }
    bool getRepeat() override { return repeat; }
    void setVolume(float v) override { volume = v; }
    float getVolume() override { return volume; }
    void setPitchShift(float p) override { pitch = p; }
    float getPitchShift() override { return pitch; }

    int refs = 0;
    bool playing = false, repeat = false;
    float volume = -1, pitch = 1;
};

bool finite(const vector3df& v) { return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z); }

}  // namespace

class TKFixeRunning : public TKFixeTest {
protected:
    void SetUp() override {
        TKFixeTest::SetUp();
        build({0, 0, 0}, {40, 60, 260}, {{1, 0.3f, 2}, {2, 0.55f, -1}, {1, 0.8f, 3}});
        capture.start();  // the loop's and the carriers' traces are tested elsewhere
        finish();
        capture.stop();
        ASSERT_FALSE(lift->arrVehicules.empty());
    }

    // How far the carrier is from the rope it is on: off a straight segment's
    // span, or off the circle round a bullwheel (radius and dip as it turns).
    f32 offRope(CVehicule* v) {
        CTronconRM* t = lift->GetTronconByNumero(v->numtroncon);
        if (!t) return 1e9f;
        const vector3df p = v->getPosition();
        if (t->getType() == TRONCON_LIGNE) return core::line3df(t->debut, t->fin).getClosestPoint(p).getDistanceFrom(p);
        const bool bottom = t->getType() == POULIEDEPART;
        const vector3df c = bottom ? B() : T();
        const f32 r = bottom ? 1.1f : std::sqrt(1.4f * 1.4f + 0.3f * 0.3f) + 0.5f;
        const f32 dy = bottom ? 0.1f : (Td().Y - Tm().Y) / 2;
        const f32 radial = std::fabs(vector3df(p.X - c.X, 0, p.Z - c.Z).getLength() - r);
        const f32 vertical = std::fabs(p.Y - c.Y) > dy + 1e-3f ? std::fabs(p.Y - c.Y) - dy : 0;
        // A T-bar that has just come off a wheel waits at the start of its line.
        return core::min_(radial + vertical, std::fabs(v->progression) < 1e-6f ? 0.0f : 1e9f);
    }
};

TEST_F(TKFixeRunning, ATBarGoesRoundTheWholeLoopBackToSegmentZero) {
    CVehicule* v = lift->arrVehicules[0];
    const s32 count = static_cast<s32>(lift->arrTroncons.size());  // 3 pylons, 2 of kind 1: 9 segments
    ASSERT_EQ(count, 9);
    const vector3df cam = lift->getPositionDepart();
    std::vector<s32> visited{v->numtroncon};
    for (int frame = 0; frame < 20000 && (visited.size() < 2 || visited.back() != visited.front()); ++frame) {
        lift->update(&cam, 0.05f);
        if (v->numtroncon != visited.back()) visited.push_back(v->numtroncon);
    }
    ASSERT_EQ(visited.size(), static_cast<size_t>(count) + 1);
    for (size_t i = 1; i < visited.size(); ++i) EXPECT_EQ(visited[i], (visited[i - 1] + 1) % count);
    EXPECT_NE(std::find(visited.begin(), visited.end(), 0), visited.end());
}

TEST_F(TKFixeRunning, LongFramesNeverTakeATBarOffTheRope) {
    const vector3df cam = lift->getPositionDepart();
    for (f32 dt : {0.05f, 0.2f, 0.5f, 1.0f}) {
        SCOPED_TRACE(dt);
        std::map<CVehicule*, int> laps;
        std::map<CVehicule*, s32> last;
        for (CVehicule* v : vehicles()) last[v] = v->numtroncon;
        const int frames = static_cast<int>(1200 / dt);  // two loops and more at 2 m/s
        for (int f = 0; f < frames; ++f) {
            lift->update(&cam, dt);
            for (CVehicule* v : vehicles()) {
                ASSERT_TRUE(finite(v->getPosition()));
                ASSERT_LT(offRope(v), 0.01f) << "segment " << v->numtroncon << " progression " << v->progression;
                if (v->numtroncon == 0 && last[v] != 0) ++laps[v];
                last[v] = v->numtroncon;
            }
        }
        for (CVehicule* v : vehicles()) EXPECT_GE(laps[v], 2);
    }
}

TEST_F(TKFixeRunning, AZeroLengthStretchIsPassedAtOnce) {
    CTronconRM* t = lift->GetTronconByNumero(1);
    t->fin = t->debut;
    CVehicule* v = lift->arrVehicules[0];
    v->numtroncon = 1;
    v->progression = 0;
    const vector3df cam = lift->getPositionDepart();
    lift->update(&cam, 0.02f);
    EXPECT_EQ(v->numtroncon, 2);
    EXPECT_EQ(v->progression, 0.0f);
    EXPECT_TRUE(Near(v->getPosition(), t->fin, 1e-5f));
}

TEST_F(TKFixeRunning, StopFreezesEverythingAndRunResumes) {
    const vector3df cam = lift->getPositionDepart();
    for (int i = 0; i < 10; ++i) lift->update(&cam, 0.05f);
    struct Snapshot {
        std::vector<vector3df> positions;
        std::vector<f32> progressions;
        std::vector<s32> segments;
        vector3df bottomWheel, topWheel, pyloneWheel;
        bool operator==(const Snapshot& o) const {
            return positions == o.positions && progressions == o.progressions && segments == o.segments &&
                   bottomWheel == o.bottomWheel && topWheel == o.topWheel && pyloneWheel == o.pyloneWheel;
        }
    };
    auto snapshot = [&] {
        Snapshot s;
        for (CVehicule* v : vehicles()) {
            s.positions.push_back(v->getPosition());
            s.progressions.push_back(v->progression);
            s.segments.push_back(v->numtroncon);
        }
        s.bottomWheel = lift->nodePoulieDepart->getRotation();
        s.topWheel = lift->nodePoulieArrivee->getRotation();
        s.pyloneWheel = lift->arrPylones[0]->parts[2].node->getRotation();
        return s;
    };
    ASSERT_NE(lift->arrPylones[0]->parts[2].node, nullptr);
    lift->running = false;
    const Snapshot stopped = snapshot();
    for (int i = 0; i < 20; ++i) lift->update(&cam, 0.05f);
    EXPECT_TRUE(snapshot() == stopped);
    lift->running = true;
    lift->update(&cam, 0.05f);
    const Snapshot resumed = snapshot();
    EXPECT_NE(resumed.progressions, stopped.progressions);
    EXPECT_NE(resumed.bottomWheel, stopped.bottomWheel);
    EXPECT_NE(resumed.topWheel, stopped.topWheel);
    EXPECT_NE(resumed.pyloneWheel, stopped.pyloneWheel);
}

TEST_F(TKFixeRunning, BottomWheelWrapsOnceAndTopWheelTurnsAboutItsAxle) {
    const vector3df cam = lift->getPositionDepart();
    const f32 dt = 2.0f / (36 * lift->vitesse);  // 2 degrees a frame
    const std::pair<f32, f32> wraps[] = {{359, 1}, {358, 360}, {10, 12}};
    for (const auto& w : wraps) {
        lift->nodePoulieDepart->setRotation(vector3df(180, w.first, -10));
        lift->update(&cam, dt);
        EXPECT_NEAR(lift->nodePoulieDepart->getRotation().Y, w.second, 1e-3f);
    }

    auto axleAndRim = [&](vector3df& axle, vector3df& rim) {
        core::matrix4 m;
        m.setRotationDegrees(lift->nodePoulieArrivee->getRotation());
        axle = vector3df(0, 1, 0);
        rim = vector3df(1, 0, 0);
        m.rotateVect(axle);
        m.rotateVect(rim);
    };
    vector3df axle0, rim0, axle1, rim1;
    axleAndRim(axle0, rim0);
    lift->update(&cam, 0.25f);  // 18 degrees at 2 m/s
    axleAndRim(axle1, rim1);
    EXPECT_TRUE(Near(axle1, axle0, 1e-4f));
    EXPECT_NEAR(std::acos(core::clamp(rim0.dotProduct(rim1), -1.0f, 1.0f)) * core::RADTODEG, 18.0f, 1e-2f);
}

TEST_F(TKFixeRunning, ATBarOnAMissingSegmentStaysAndIsReported) {
    CVehicule* v = lift->arrVehicules[0];
    v->numtroncon = 99;
    const vector3df before = v->getPosition();
    const vector3df cam = lift->getPositionDepart();
    capture.start();
    lift->update(&cam, 0.05f);
    EXPECT_EQ(capture.stop(), "ERREUR GetTronconByNumero for CTKFixe t->0\n");
    EXPECT_EQ(v->getPosition(), before);
    EXPECT_EQ(v->numtroncon, 99);
}

// The motor's loudness by the camera's distance to the bottom terminal,
// through the stream the lift holds (a recording one, so no device is needed).
TEST_F(TKFixeRunning, MotorVolumeFollowsTheCameraAndStopsWithTheLift) {
    RecordingStream stream;
    lift->sound = &stream;
    stream.playing = true;
    struct Step {
        f32 distance;
        bool running;
        f32 volume;
        bool playing;
    };
    const Step steps[] = {
        {0, true, 1.0f, true},       {50, true, 0.5f, true},   {100.9f, true, 0.0f, true},
        {101.0f, true, 0.0f, false}, {150, true, 0.0f, false}, {30.5f, true, 0.7f, true},
        {30, false, 0.7f, false},    {30, false, 0.7f, false}, {20, true, 0.8f, true},
    };
    const vector3df bottom = lift->getPositionDepart();
    for (const Step& s : steps) {
        SCOPED_TRACE(s.distance);
        lift->running = s.running;
        const vector3df cam = bottom + vector3df(s.distance, 0, 0);
        lift->update(&cam, 0.02f);
        EXPECT_NEAR(stream.volume, s.volume, 1e-6f);
        EXPECT_EQ(stream.playing, s.playing);
        EXPECT_EQ(lift->getSound()->isPlaying(), s.playing);
    }
    lift->setSound(false);
    EXPECT_FALSE(stream.playing);
    EXPECT_EQ(stream.refs, 1);  // stopping releases nothing

    // Opening anew replaces (and releases) the stream held so far.
    capture.start();
    lift->setSound(true);
    const std::string out = capture.stop();
    EXPECT_EQ(stream.refs, 0);
    if (lift->sound) {
        EXPECT_TRUE(lift->sound->isPlaying());
        EXPECT_TRUE(lift->sound->getRepeat());
        EXPECT_FLOAT_EQ(lift->sound->getVolume(), 1.0f);
    } else {
        EXPECT_EQ(out, "Erreur chargement son moteur TKF\n");
    }
}

TEST_F(TKFixeTest, SoundSwitchBeforeAnyStreamDoesNothing) {
    build({0, 0, 0}, {0, 20, 100});
    lift->setSound(false);
    EXPECT_FALSE(lift->getSound());
}
