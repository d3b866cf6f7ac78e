// The orbiting camera as a scene node: projection, look-at view, its place in
// the scene and who holds it.
#include <cmath>
#include "CDynamicCamera.h"
#include "NullDeviceTest.h"

using namespace irr;
using core::matrix4;
using core::vector3df;

namespace {

class CameraNodeTest : public NullDeviceTest {
protected:
    void SetUp() override {
        NullDeviceTest::SetUp();
        camera = new CDynamicCamera(device, smgr->getRootSceneNode(), smgr, -1, 100.0f, 3.0f, 1.0f);
    }
    CDynamicCamera* camera = nullptr;
};

bool finite(const matrix4& m) {
    for (int i = 0; i < 16; ++i)
        if (!std::isfinite(m[i])) return false;
    return true;
}

TEST_F(CameraNodeTest, ProjectionIsLeftHandedPerspective) {
    struct Case {
        const char* what;
        void (*set)(CDynamicCamera*);
        f32 aspect, nearValue, farValue;
    } cases[] = {
        {"defaults", [](CDynamicCamera*) {}, 4.0f / 3.0f, 1.0f, 100000.0f},
        {"game setup, far 8000", [](CDynamicCamera* c) { c->setFarValue(8000.0f); }, 4.0f / 3.0f, 1.0f, 8000.0f},
        {"near 2",
         [](CDynamicCamera* c) {
             c->setFarValue(8000.0f);
             c->setNearValue(2.0f);
         },
         4.0f / 3.0f, 2.0f, 8000.0f},
        {"aspect 2", [](CDynamicCamera* c) { c->setAspectRatio(2.0f); }, 2.0f, 1.0f, 100000.0f},
    };
    // 800x600 render target: 4/3 from the start, 72 degrees vertical.
    EXPECT_FLOAT_EQ(camera->getAspectRatio(), 4.0f / 3.0f);
    EXPECT_FLOAT_EQ(camera->getFOV(), 1.2566371f);
    const f32 h = (f32)(1.0 / tan(1.2566371 / 2));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        camera = new CDynamicCamera(device, smgr->getRootSceneNode(), smgr, -1, 100.0f, 3.0f, 1.0f);
        c.set(camera);
        const matrix4& m = camera->getProjectionMatrix();
        const f32 m10 = c.farValue / (c.farValue - c.nearValue);
        EXPECT_FLOAT_EQ(m[5], h);
        EXPECT_FLOAT_EQ(m[0], h / c.aspect);
        EXPECT_FLOAT_EQ(m[10], m10);
        EXPECT_FLOAT_EQ(m[11], 1.0f);
        EXPECT_FLOAT_EQ(m[14], -c.nearValue * m10);
        for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 12, 13, 15}) EXPECT_EQ(m[i], 0.0f) << "element " << i;
    }
}

TEST_F(CameraNodeTest, ViewStraightDownStaysFinite) {
    camera->setPosition(vector3df(0, 100, 0));
    camera->setTarget(vector3df(0, 0, 0));
    camera->updateAbsolutePosition();
    // Before any motion the up vector is still (0,1,0), parallel to the view.
    camera->OnRegisterSceneNode();
    matrix4 expected;
    expected.buildCameraLookAtMatrixLH(vector3df(0, 100, 0), vector3df(0, 0, 0), vector3df(0.5f, 1, 0));
    ASSERT_TRUE(finite(camera->getViewMatrix()));
    EXPECT_TRUE(camera->getViewMatrix().equals(expected, 1e-6f));

    stepFrame();
    vector3df target(0, 0, 0);
    camera->getViewMatrix().transformVect(target);
    EXPECT_NEAR(target.X, 0, 1e-3);
    EXPECT_NEAR(target.Y, 0, 1e-3);
    EXPECT_NEAR(target.Z, 100, 1e-3);
    for (const auto& plane : camera->getViewFrustum()->planes) EXPECT_TRUE(std::isfinite(plane.D));
}

TEST_F(CameraNodeTest, IsTheSceneActiveCameraWithFixedAnswers) {
    EXPECT_EQ(smgr->getActiveCamera(), camera);
    EXPECT_EQ(camera->getType(), scene::ESNT_CAMERA);
    EXPECT_FALSE(camera->getTargetAndRotationBinding());
    EXPECT_TRUE(camera->getViewMatrixAffector().isIdentity());

    camera->setPosition(vector3df(100, 50, 0));
    camera->setTarget(vector3df(0, 0, 0));
    stepFrame();
    const matrix4 before = camera->getViewMatrix();
    camera->setRotation(vector3df(10, 20, 30));
    camera->bindTargetAndRotation(true);
    stepFrame();
    EXPECT_TRUE(camera->getViewMatrix().equals(before, 1e-6f));
}

TEST_F(CameraNodeTest, SceneHoldsItAndAnimatorsNeverRun) {
    // Parent and active-camera slot only: no creation reference left over.
    EXPECT_EQ(camera->getReferenceCount(), 2);
    EXPECT_EQ(camera->getParent(), smgr->getRootSceneNode());

    scene::ISceneNode* ground = smgr->addCubeSceneNode(10.0f, 0, 1, vector3df(0, -500, 0));
    scene::ITriangleSelector* selector = smgr->createTriangleSelectorFromBoundingBox(ground);
    ground->setTriangleSelector(selector);
    scene::ISceneNodeAnimator* collision = smgr->createCollisionResponseAnimator(
        selector, camera, vector3df(30, 50, 30), vector3df(0, -10, 0), vector3df(0, 30, 0), 0.0005f);
    selector->drop();
    ASSERT_NE(collision, nullptr);
    camera->addAnimator(collision);
    collision->drop();
    scene::ISceneNodeAnimator* fly = smgr->createFlyStraightAnimator(vector3df(0, 0, 0), vector3df(5000, 0, 0), 1);
    camera->addAnimator(fly);
    fly->drop();

    camera->setPosition(vector3df(100, 0, 0));
    camera->setTarget(vector3df(0, 0, 0));
    for (int i = 0; i < 3; ++i) stepFrame();
    EXPECT_TRUE(camera->getAbsolutePosition().equals(vector3df(100, 0, 0), 1e-3f));
    // The device's release frees camera, animators and selector (checked by LSan).
}

TEST_F(NullDeviceTest, CameraWithoutParentJoinsTheSceneRoot) {
    CDynamicCamera* camera = new CDynamicCamera(device, nullptr, smgr, 7, 100.0f, 3.0f, 1.0f);
    EXPECT_EQ(camera->getParent(), smgr->getRootSceneNode());
    EXPECT_EQ(smgr->getSceneNodeFromId(7), camera);
}

}  // namespace
