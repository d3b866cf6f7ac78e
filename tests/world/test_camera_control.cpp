// The orbiting camera under injected mouse and key events, one frame at a time.
#include <cmath>
#include "CDynamicCamera.h"
#include "NullDeviceTest.h"

using namespace irr;
using core::matrix4;
using core::vector3df;

namespace {

// The game's settings: a full-width drag turns 20 degrees, a wheel step
// zooms 3 units, a key step moves 2.
class CameraControlTest : public NullDeviceTest {
public:  // the case tables reach in through lambdas
    void SetUp() override {
        NullDeviceTest::SetUp();
        camera = new CDynamicCamera(device, smgr->getRootSceneNode(), smgr, -1, 100.0f, 3.0f, 1.0f);
        camera->setMoveSpeed(2.0f);
        camera->setRotateSpeed(20.0f);
        camera->setFarValue(8000.0f);
    }
    void place(const vector3df& position, const vector3df& target) {
        camera->setPosition(position);
        camera->setTarget(target);
        stepFrame();
    }
    void mouse(EMOUSE_INPUT_EVENT type, s32 x = 0, s32 y = 0, f32 wheel = 0) {
        SEvent e;
        e.EventType = EET_MOUSE_INPUT_EVENT;
        e.MouseInput.Event = type;
        e.MouseInput.X = x;
        e.MouseInput.Y = y;
        e.MouseInput.Wheel = wheel;
        e.MouseInput.ButtonStates = 0;
        e.MouseInput.Shift = e.MouseInput.Control = false;
        device->postEventFromUser(e);
    }
    static SEvent keyEvent(EKEY_CODE key, bool down) {
        SEvent e;
        e.EventType = EET_KEY_INPUT_EVENT;
        e.KeyInput.Key = key;
        e.KeyInput.PressedDown = down;
        e.KeyInput.Char = 0;
        e.KeyInput.Shift = e.KeyInput.Control = false;
        return e;
    }
    void key(EKEY_CODE k, bool down) { device->postEventFromUser(keyEvent(k, down)); }
    // Presses a button at the window's centre, lets one frame start the drag,
    // then moves the cursor to (x, y).
    void startDrag(EMOUSE_INPUT_EVENT press, s32 x, s32 y) {
        mouse(EMIE_MOUSE_MOVED, 400, 300);
        mouse(press, 400, 300);
        frames(1);
        mouse(EMIE_MOUSE_MOVED, x, y);
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) stepFrame();
    }
    vector3df position() const { return camera->getAbsolutePosition(); }
    // Horizontal orbit angle of the camera round its target, in degrees.
    f32 angleH() const {
        const vector3df d = position() - camera->getTarget();
        return (f32)core::vector2df(d.X, d.Z).getAngle();
    }
    CDynamicCamera* camera = nullptr;
};

void expectNear(const vector3df& actual, const vector3df& expected) {
    EXPECT_NEAR(actual.X, expected.X, 1e-3);
    EXPECT_NEAR(actual.Y, expected.Y, 1e-3);
    EXPECT_NEAR(actual.Z, expected.Z, 1e-3);
}

bool finite(const matrix4& m) {
    for (int i = 0; i < 16; ++i)
        if (!std::isfinite(m[i])) return false;
    return true;
}

vector3df orbit(f32 distance, f32 hDeg, f32 vDeg) {
    const f64 h = hDeg * core::DEGTORAD64, v = vDeg * core::DEGTORAD64;
    return vector3df((f32)(distance * cos(v) * cos(h)), (f32)(distance * sin(v)), (f32)(-distance * cos(v) * sin(h)));
}

TEST_F(CameraControlTest, LeftDragTurnsByTheCursorOffset) {
    struct Case {
        s32 toX, toY;
        f32 dh, dv;
    } cases[] = {
        {600, 300, -5, 0},  // a quarter of the width to the right
        {200, 300, 5, 0},
        {400, 150, 0, 5},  // a quarter of the height up
        {400, 300, 0, 0},  // press and release without moving
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.toX << "," << c.toY);
        place(vector3df(100, 0, 0), vector3df(0, 0, 0));
        expectNear(position(), vector3df(100, 0, 0));
        startDrag(EMIE_LMOUSE_PRESSED_DOWN, c.toX, c.toY);
        frames(1);
        expectNear(position(), orbit(100, c.dh, c.dv));
        mouse(EMIE_LMOUSE_LEFT_UP, c.toX, c.toY);
        frames(2);
        expectNear(position(), orbit(100, c.dh, c.dv));
        expectNear(camera->getTarget(), vector3df(0, 0, 0));
    }
}

TEST_F(CameraControlTest, KeyMoveDuringDragKeepsTheDragAngle) {
    place(vector3df(100, 0, 0), vector3df(0, 0, 0));
    startDrag(EMIE_LMOUSE_PRESSED_DOWN, 600, 300);
    frames(1);
    key(KEY_KEY_W, true);
    for (int i = 0; i < 5; ++i) {
        frames(1);
        EXPECT_NEAR(angleH(), 360 - 5, 1e-2) << "frame " << i;
    }
    key(KEY_KEY_W, false);
    mouse(EMIE_LMOUSE_LEFT_UP, 600, 300);
    frames(2);
    EXPECT_NEAR(angleH(), 360 - 5, 1e-2);
    EXPECT_NEAR((position() - camera->getTarget()).getLength(), 100, 1e-2);
}

TEST_F(CameraControlTest, KeysMoveCameraAndTargetByOneStepPerFrame) {
    struct Case {
        EKEY_CODE key;
        vector3df step;
    } cases[] = {
        {KEY_KEY_W, {-2, 0, 0}},   {KEY_UP, {-2, 0, 0}},      {KEY_KEY_S, {2, 0, 0}}, {KEY_DOWN, {2, 0, 0}},
        {KEY_KEY_A, {0, 0, -2}},   {KEY_LEFT, {0, 0, -2}},    {KEY_KEY_D, {0, 0, 2}}, {KEY_RIGHT, {0, 0, 2}},
        {KEY_PRIOR, {0, 0.4f, 0}}, {KEY_NEXT, {0, -0.4f, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << (int)c.key);
        const vector3df start(100, 100, 0), target(0, 0, 0);
        place(start, target);
        key(c.key, true);
        frames(2);  // the first frame only starts the move; the next one's shows a frame later
        expectNear(position(), start);
        frames(2);
        expectNear(position(), start + c.step * 2);
        expectNear(camera->getTarget(), target + c.step * 2);
        key(c.key, false);
        frames(2);
        expectNear(position(), start + c.step * 3);
    }
}

TEST_F(CameraControlTest, RightDragHeldStillKeepsPanning) {
    place(vector3df(100, 0, 0), vector3df(0, 0, 0));
    startDrag(EMIE_RMOUSE_PRESSED_DOWN, 600, 300);
    for (int i = 1; i <= 3; ++i) {
        frames(1);
        expectNear(camera->getTarget(), vector3df(0, 0, -0.5f * i));
        expectNear(position(), vector3df(100, 0, -0.5f * i));
    }
}

TEST_F(CameraControlTest, WheelZoomsWithoutLimit) {
    struct Case {
        f32 wheel;
        int steps;
        f32 distance;
    } cases[] = {{1, 1, 97}, {-1, 2, 106}, {1, 40, -20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.wheel << " x" << c.steps);
        place(vector3df(100, 0, 0), vector3df(0, 0, 0));
        for (int i = 0; i < c.steps; ++i) mouse(EMIE_MOUSE_WHEEL, 0, 0, c.wheel);
        frames(1);
        // A negative distance stands on the other side of the centre.
        expectNear(position(), vector3df(c.distance, 0, 0));
    }
}

TEST_F(CameraControlTest, StandingOnTheTargetKeepsTheLastView) {
    struct Case {
        const char* what;
        void (*reach)(CameraControlTest*);
    } cases[] = {
        {"zoomed to distance 0", [](CameraControlTest* t) { t->mouse(EMIE_MOUSE_WHEEL, 0, 0, 1); }},
        {"target set on the camera", [](CameraControlTest* t) { t->camera->setTarget(vector3df(3, 0, 0)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        place(vector3df(3, 0, 0), vector3df(0, 0, 0));
        const matrix4 before = camera->getViewMatrix();
        c.reach(this);
        frames(2);
        EXPECT_TRUE(finite(camera->getViewMatrix()));
        EXPECT_TRUE(camera->getViewMatrix().equals(before, 1e-6f));
        for (const auto& plane : camera->getViewFrustum()->planes) {
            EXPECT_TRUE(std::isfinite(plane.D));
            EXPECT_TRUE(std::isfinite(plane.Normal.X));
        }
        const core::line3df ray =
            smgr->getSceneCollisionManager()->getRayFromScreenCoordinates(core::position2di(400, 300));
        EXPECT_TRUE(std::isfinite(ray.end.X) && std::isfinite(ray.end.Y) && std::isfinite(ray.end.Z));
        // Zooming out again brings a real view back: the target 3 units ahead.
        mouse(EMIE_MOUSE_WHEEL, 0, 0, -1);
        frames(2);
        vector3df ahead = camera->getTarget();
        camera->getViewMatrix().transformVect(ahead);
        expectNear(ahead, vector3df(0, 0, 3));
    }
}

TEST_F(CameraControlTest, EveryKeyCodeIsSafe) {
    SEvent e = keyEvent((EKEY_CODE)255, true);
    EXPECT_TRUE(camera->OnEvent(e));
    EXPECT_TRUE(camera->isKeyDown((EKEY_CODE)255));
    for (int b = 0; b < 3; ++b) EXPECT_FALSE(camera->isMouseButtonDown(b));
    for (int code : {256, 300, 511}) {  // codes beyond the key table
        e = keyEvent((EKEY_CODE)code, true);
        EXPECT_TRUE(camera->OnEvent(e));
        EXPECT_FALSE(camera->isKeyDown((EKEY_CODE)code));
    }
    EXPECT_FALSE(camera->isMouseButtonDown(3));
    EXPECT_FALSE(camera->isMouseButtonDown(-1));
    camera->resetKeys();
    EXPECT_FALSE(camera->isKeyDown((EKEY_CODE)255));
}

TEST_F(CameraControlTest, DisabledInputRecordsNothing) {
    place(vector3df(100, 0, 0), vector3df(0, 0, 0));
    camera->setInputReceiverEnabled(false);
    SEvent e = keyEvent(KEY_KEY_W, true);
    EXPECT_FALSE(camera->OnEvent(e));
    EXPECT_FALSE(camera->isKeyDown(KEY_KEY_W));
    mouse(EMIE_MOUSE_WHEEL, 0, 0, 1);
    frames(3);
    expectNear(position(), vector3df(100, 0, 0));
}

TEST_F(CameraControlTest, PointCameraAtNodeKeepsTheViewingDirection) {
    place(vector3df(100, 100, 0), vector3df(0, 0, 0));
    scene::ISceneNode* node = smgr->addEmptySceneNode(0, -1);
    node->setPosition(vector3df(500, 20, -300));
    camera->pointCameraAtNode(node);
    frames(1);
    expectNear(camera->getTarget(), vector3df(500, 20, -300));
    const f32 s = 100 / sqrtf(2);
    expectNear(position(), vector3df(500 + s, 20 + s, -300));
}

TEST_F(CameraControlTest, LeftPressOnABillboardJumpsToItWithoutDragging) {
    place(vector3df(0, 0, -1000), vector3df(0, 0, 0));
    smgr->addBillboardSceneNode(0, core::dimension2df(50, 50), vector3df(0, 0, 0));
    stepFrame();
    device->getCursorControl()->setPosition(400, 300);
    capture.start();
    mouse(EMIE_LMOUSE_PRESSED_DOWN, 400, 300);
    EXPECT_EQ(capture.stop(), "camera lmouse pressed down pointCameraAtNode\n");
    EXPECT_FALSE(camera->isMouseButtonDown(0));
    mouse(EMIE_MOUSE_MOVED, 600, 300);
    frames(2);
    expectNear(position(), vector3df(0, 0, -100));
    expectNear(camera->getTarget(), vector3df(0, 0, 0));
}

}  // namespace
