#include "CDynamicCamera.h"
#include <cmath>
#include <cstdio>

using namespace irr;
using namespace irr::core;
using namespace irr::scene;

CDynamicCamera::CDynamicCamera(IrrlichtDevice* device, ISceneNode* parent, ISceneManager* smgr, s32 id, f32 rotateSpeed,
                               f32 zoomSpeed, f32 moveSpeed)
    : ICameraSceneNode(parent ? parent : smgr->getRootSceneNode(), smgr, id, vector3df(1, 1, 1)), ClickedNode(0),
      Target(0, 0, 0), UpVector(0, 1, 0), InputReceiverEnabled(true), FOV(PI / 2.5f), AspectRatio(4.0f / 3.0f),
      NearValue(1.0f), FarValue(100000.0f), Device(device), OrbitPosition(0, 0, 0), InputBlocked(false),
      Rotating(false), Moving(false), ZoomSpeed(zoomSpeed), MoveSpeed(moveSpeed), RotateSpeed(rotateSpeed),
      RotateStart(0, 0), MoveStart(0, 0), Distance(0), AngleH(0), AngleV(0), OrbitCentre(0, 0, 0), CursorPos(0, 0),
      MinZoom(1.0f), MaxZoom(2000.0f) {
    resetKeys();
    resetMouseButtons();

    video::IVideoDriver* driver = SceneManager->getVideoDriver();
    if (driver) {
        const dimension2du size = driver->getCurrentRenderTargetSize();
        if (size.Height > 0) AspectRatio = (f32)size.Width / (f32)size.Height;
    }
    recalculateProjectionMatrix();
    recalculateViewArea();

    SceneManager->setActiveCamera(this);
    // The parent and the active-camera slot hold the camera now.
    drop();
}

CDynamicCamera::~CDynamicCamera() {}

void CDynamicCamera::recalculateProjectionMatrix() {
    Frustum.getTransform(video::ETS_PROJECTION)
        .buildProjectionMatrixPerspectiveFovLH(FOV, AspectRatio, NearValue, FarValue);
}

void CDynamicCamera::recalculateViewArea() {
    Frustum.cameraPosition = getAbsolutePosition();
    matrix4 m(matrix4::EM4CONST_NOTHING);
    m.setbyproduct_nocheck(Frustum.getTransform(video::ETS_PROJECTION), Frustum.getTransform(video::ETS_VIEW));
    Frustum.setFrom(m);
}

void CDynamicCamera::OnRegisterSceneNode() {
    const vector3df pos = getAbsolutePosition();
    vector3df z = Target - pos;
    z.normalize();
    vector3df up = UpVector;
    up.normalize();
    if (equals(fabsf(z.dotProduct(up)), 1.0f, 1e-08f)) up.X += 0.5f;

    // Standing on the target leaves no viewing axis: keep the last good view
    // rather than filling the matrices (and every picking ray) with NaN.
    vector3df x = up.crossProduct(z);
    x.normalize();
    if (z.getLengthSQ() >= 0.5f && x.getLengthSQ() >= 0.5f) {
        Frustum.getTransform(video::ETS_VIEW).buildCameraLookAtMatrixLH(pos, Target, up);
        recalculateViewArea();
    }

    if (SceneManager->getActiveCamera() == this) SceneManager->registerNodeForRendering(this, ESNRP_CAMERA);
    ISceneNode::OnRegisterSceneNode();
}

void CDynamicCamera::OnAnimate(u32 /*timeMs*/) {
    animate();
    ISceneNode::setPosition(OrbitPosition);
    updateAbsolutePosition();
}

void CDynamicCamera::render() {
    video::IVideoDriver* driver = SceneManager->getVideoDriver();
    if (!driver) return;
    driver->setTransform(video::ETS_PROJECTION, Frustum.getTransform(video::ETS_PROJECTION));
    driver->setTransform(video::ETS_VIEW, Frustum.getTransform(video::ETS_VIEW));
}

const aabbox3d<f32>& CDynamicCamera::getBoundingBox() const { return Frustum.getBoundingBox(); }

void CDynamicCamera::setRotation(const vector3df& /*rotation*/) {}

ESCENE_NODE_TYPE CDynamicCamera::getType() const { return ESNT_CAMERA; }

void CDynamicCamera::setProjectionMatrix(const matrix4& /*projection*/, bool /*isOrthogonal*/) {}

const matrix4& CDynamicCamera::getProjectionMatrix() const { return Frustum.getTransform(video::ETS_PROJECTION); }

const matrix4& CDynamicCamera::getViewMatrix() const { return Frustum.getTransform(video::ETS_VIEW); }

void CDynamicCamera::setViewMatrixAffector(const matrix4& /*affector*/) {}

const matrix4& CDynamicCamera::getViewMatrixAffector() const { return IdentityMatrix; }

const vector3df& CDynamicCamera::getTarget() const { return Target; }

void CDynamicCamera::setUpVector(const vector3df& pos) { UpVector = pos; }

const vector3df& CDynamicCamera::getUpVector() const { return UpVector; }

f32 CDynamicCamera::getNearValue() const { return NearValue; }
f32 CDynamicCamera::getFarValue() const { return FarValue; }
f32 CDynamicCamera::getAspectRatio() const { return AspectRatio; }
f32 CDynamicCamera::getFOV() const { return FOV; }

void CDynamicCamera::setNearValue(f32 zn) {
    NearValue = zn;
    recalculateProjectionMatrix();
}

void CDynamicCamera::setFarValue(f32 zf) {
    FarValue = zf;
    recalculateProjectionMatrix();
}

void CDynamicCamera::setAspectRatio(f32 aspect) {
    AspectRatio = aspect;
    recalculateProjectionMatrix();
}

void CDynamicCamera::setFOV(f32 fovy) {
    FOV = fovy;
    recalculateProjectionMatrix();
}

const SViewFrustum* CDynamicCamera::getViewFrustum() const { return &Frustum; }

void CDynamicCamera::setInputReceiverEnabled(bool enabled) { InputReceiverEnabled = enabled; }
bool CDynamicCamera::isInputReceiverEnabled() const { return InputReceiverEnabled; }

void CDynamicCamera::bindTargetAndRotation(bool /*bound*/) {}
bool CDynamicCamera::getTargetAndRotationBinding(void) const { return false; }

void CDynamicCamera::setProjection(const matrix4& projection) {
    Frustum.getTransform(video::ETS_PROJECTION) = projection;
}

void CDynamicCamera::setZoomSpeed(f32 speed) { ZoomSpeed = speed; }
void CDynamicCamera::setMoveSpeed(f32 speed) { MoveSpeed = speed; }
void CDynamicCamera::setRotateSpeed(f32 speed) { RotateSpeed = speed; }
void CDynamicCamera::setMinZoom(f32 amount) { MinZoom = amount; }
void CDynamicCamera::setMaxZoom(f32 amount) { MaxZoom = amount; }

void CDynamicCamera::resetKeys() {
    for (u32 i = 0; i < KEY_KEY_CODES_COUNT; ++i) KeyDown[i] = false;
}

void CDynamicCamera::resetMouseButtons() {
    for (u32 i = 0; i < 3; ++i) MouseButtons[i] = false;
}

bool CDynamicCamera::isKeyDown(EKEY_CODE key) const {
    const u32 code = (u32)key;
    return code < KEY_KEY_CODES_COUNT && KeyDown[code];
}

bool CDynamicCamera::isMouseButtonDown(s32 button) const { return button >= 0 && button < 3 && MouseButtons[button]; }

bool CDynamicCamera::OnEvent(const SEvent& event) {
    if (!InputReceiverEnabled) return false;

    if (event.EventType == EET_MOUSE_INPUT_EVENT) {
        switch (event.MouseInput.Event) {
        case EMIE_LMOUSE_PRESSED_DOWN: {
            position2di pos(0, 0);
            if (Device && Device->getCursorControl()) pos = Device->getCursorControl()->getPosition();
            ClickedNode = SceneManager->getSceneCollisionManager()->getSceneNodeFromScreenCoordinatesBB(
                pos, 0, false, SceneManager->getRootSceneNode());
            if (ClickedNode && ClickedNode->getType() == ESNT_BILLBOARD) {
                pointCameraAtNode(ClickedNode);
                printf("camera lmouse pressed down pointCameraAtNode\n");
            } else {
                ClickedNode = 0;
                MouseButtons[0] = true;
            }
            break;
        }
        case EMIE_MMOUSE_PRESSED_DOWN: MouseButtons[1] = true; break;
        case EMIE_RMOUSE_PRESSED_DOWN: MouseButtons[2] = true; break;
        case EMIE_LMOUSE_LEFT_UP: MouseButtons[0] = false; break;
        case EMIE_MMOUSE_LEFT_UP: MouseButtons[1] = false; break;
        case EMIE_RMOUSE_LEFT_UP: MouseButtons[2] = false; break;
        case EMIE_MOUSE_MOVED: {
            video::IVideoDriver* driver = SceneManager->getVideoDriver();
            if (driver) {
                const dimension2du screen = driver->getScreenSize();
                if (screen.Width > 0 && screen.Height > 0)
                    CursorPos = vector2df((f32)event.MouseInput.X / (f32)screen.Width,
                                          (f32)event.MouseInput.Y / (f32)screen.Height);
            }
            break;
        }
        case EMIE_MOUSE_WHEEL: Distance -= event.MouseInput.Wheel * ZoomSpeed; break;
        default: break;
        }
        return true;
    }

    if (event.EventType == EET_KEY_INPUT_EVENT) {
        const u32 code = (u32)event.KeyInput.Key;
        if (code < KEY_KEY_CODES_COUNT) KeyDown[code] = event.KeyInput.PressedDown;
        return true;
    }
    return false;
}

bool CDynamicCamera::keyMove(vector3df& move) const {
    const vector3df p = getAbsolutePosition();
    const vector3df t = Target;
    const bool arrows = !InputBlocked;

    vector3df m(p.X - t.X, 0, p.Z - t.Z);
    m.normalize();
    vector3df w = (p - t).normalize().crossProduct(UpVector);
    w.normalize();
    vector3df u(0, p.Y - t.Y, 0);
    u.normalize();

    if (KeyDown[KEY_KEY_W] || (arrows && KeyDown[KEY_UP]))
        move = -m * MoveSpeed;
    else if (KeyDown[KEY_KEY_S] || (arrows && KeyDown[KEY_DOWN]))
        move = m * MoveSpeed;
    else if (KeyDown[KEY_KEY_A] || (arrows && KeyDown[KEY_LEFT]))
        move = -w * MoveSpeed;
    else if (KeyDown[KEY_KEY_D] || (arrows && KeyDown[KEY_RIGHT]))
        move = w * MoveSpeed;
    else if (KeyDown[KEY_PRIOR])
        move = u * (MoveSpeed * 0.2f);
    else if (KeyDown[KEY_NEXT])
        move = -u * (MoveSpeed * 0.2f);
    else
        return false;
    return true;
}

void CDynamicCamera::animate() {
    f32 h = AngleH;
    f32 v = AngleV;
    const f32 D = Distance;
    vector3df c = OrbitCentre;
    vector3df s = (OrbitPosition - Target).crossProduct(UpVector);
    s.normalize();

    // Orbit: the angle follows the cursor's offset from the press point and
    // is stored when the button is released.
    if (MouseButtons[0] && !InputBlocked) {
        if (!Rotating) {
            Rotating = true;
            RotateStart = CursorPos;
        } else {
            h = AngleH + (RotateStart.X - CursorPos.X) * RotateSpeed;
            v = AngleV + (RotateStart.Y - CursorPos.Y) * RotateSpeed;
        }
    } else if (Rotating) {
        AngleH += (RotateStart.X - CursorPos.X) * RotateSpeed;
        AngleV += (RotateStart.Y - CursorPos.Y) * RotateSpeed;
        h = AngleH;
        v = AngleV;
        Rotating = false;
    }

    if (MouseButtons[2] && !InputBlocked) {
        // Pan: the centre keeps sliding while the cursor stays off the press point.
        if (!Moving) {
            Moving = true;
            MoveStart = CursorPos;
        } else {
            const f32 dx = MoveStart.X - CursorPos.X;
            const f32 dy = MoveStart.Y - CursorPos.Y;
            const f32 f = MoveSpeed;
            c.X += s.X * dx * f + s.Z * dy * f;
            c.Y += s.Y * dx * f;
            c.Z += s.Z * dx * f - s.X * dy * f;
            OrbitCentre = c;
        }
    } else {
        vector3df move;
        if (keyMove(move)) {
            if (!Moving) {
                Moving = true;
            } else {
                // From the latest centre, not the one on screen (a frame
                // behind): each frame's step then adds up, as the pan's does.
                const vector3df t = OrbitCentre;
                const vector3df p = t + (getAbsolutePosition() - Target);
                const f32 dragH = AngleH;
                const f32 dragV = AngleV;
                setPosition(p + move);
                setTarget(t + move);
                // A moved camera still shows the drag's pending offset; keep
                // the drag's base angles or the offset counts twice.
                if (Rotating) {
                    AngleH = dragH;
                    AngleV = dragV;
                }
                updateAbsolutePosition();
            }
        } else {
            Moving = false;
        }
    }

    Target = c;
    OrbitPosition.set(c.X + D, c.Y, c.Z);
    OrbitPosition.rotateXYBy(v, c);
    OrbitPosition.rotateXZBy(-h, c);
    UpVector.set(0, 1, 0);
    UpVector.rotateXYBy(-v);
    UpVector.rotateXZBy(180 - h);
}

void CDynamicCamera::recalculateAngles() {
    const vector3df d = OrbitPosition - Target;
    AngleH = (f32)vector2df(d.X, d.Z).getAngle();
    const f64 a = AngleH * DEGTORAD64;
    const f32 x2 = (f32)(cos(a) * d.X - sin(a) * d.Z);
    AngleV = -(f32)vector2df(x2, d.Y).getAngle();
    Distance = d.getLength();
}

void CDynamicCamera::setPosition(const vector3df& newpos) {
    OrbitPosition = newpos;
    recalculateAngles();
    ISceneNode::setPosition(newpos);
}

void CDynamicCamera::setTarget(const vector3df& pos) {
    OrbitCentre = pos;
    Target = pos;
    recalculateAngles();
}

void CDynamicCamera::pointCameraAtNode(ISceneNode* node) {
    vector3df dir = getPosition() - Target;
    dir.normalize();
    setPosition(node->getPosition() + dir * 100.0f);
    setTarget(node->getPosition());
    recalculateAngles();
}
