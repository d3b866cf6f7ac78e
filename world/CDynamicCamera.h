// The game's orbiting camera: looks from its position at a target and orbits
// round that target under the mouse (left drag orbits, right drag pans, the
// wheel zooms) and the keys (W/S/A/D or arrows, PageUp/PageDown).
//
// Ownership: the scene owns the camera. The constructor puts it under its
// parent (the scene's root when none is given), makes it the active camera and
// then drops its creation reference, as the scene manager's add*SceneNode
// factories do. So `new CDynamicCamera(...)` is all a creator writes: keep the
// pointer, never drop() or delete it; the device's release (or remove())
// destroys it together with its animators.
#pragma once
#include <irrlicht.h>

class CDynamicCamera : public irr::scene::ICameraSceneNode {
public:
    CDynamicCamera(irr::IrrlichtDevice* device, irr::scene::ISceneNode* parent, irr::scene::ISceneManager* smgr,
                   irr::s32 id, irr::f32 rotateSpeed, irr::f32 zoomSpeed, irr::f32 moveSpeed);
    virtual ~CDynamicCamera();

    virtual void OnRegisterSceneNode();
    // Per-frame orbit, pan, keys and placement; not scaled by the frame time.
    // Runs no animators and does not animate children.
    virtual void OnAnimate(irr::u32 timeMs);
    virtual void render();
    virtual const irr::core::aabbox3d<irr::f32>& getBoundingBox() const;
    virtual void setRotation(const irr::core::vector3df& rotation);
    virtual void setPosition(const irr::core::vector3df& newpos);
    virtual irr::scene::ESCENE_NODE_TYPE getType() const;
    virtual void setProjectionMatrix(const irr::core::matrix4& projection, bool isOrthogonal = false);
    virtual const irr::core::matrix4& getProjectionMatrix() const;
    virtual const irr::core::matrix4& getViewMatrix() const;
    virtual void setViewMatrixAffector(const irr::core::matrix4& affector);
    virtual const irr::core::matrix4& getViewMatrixAffector() const;
    virtual bool OnEvent(const irr::SEvent& event);
    virtual void setTarget(const irr::core::vector3df& pos);
    virtual const irr::core::vector3df& getTarget() const;
    virtual void setUpVector(const irr::core::vector3df& pos);
    virtual const irr::core::vector3df& getUpVector() const;
    virtual irr::f32 getNearValue() const;
    virtual irr::f32 getFarValue() const;
    virtual irr::f32 getAspectRatio() const;
    virtual irr::f32 getFOV() const;
    virtual void setNearValue(irr::f32 zn);
    virtual void setFarValue(irr::f32 zf);
    virtual void setAspectRatio(irr::f32 aspect);
    virtual void setFOV(irr::f32 fovy);
    virtual const irr::scene::SViewFrustum* getViewFrustum() const;
    virtual void setInputReceiverEnabled(bool enabled);
    virtual bool isInputReceiverEnabled() const;
    virtual void bindTargetAndRotation(bool bound);
    virtual bool getTargetAndRotationBinding(void) const;

    virtual void setProjection(const irr::core::matrix4& projection);
    virtual void setZoomSpeed(irr::f32 speed);
    virtual void setMoveSpeed(irr::f32 speed);
    virtual void setRotateSpeed(irr::f32 speed);

    void setMinZoom(irr::f32 amount);
    void setMaxZoom(irr::f32 amount);
    void resetKeys();
    void resetMouseButtons();
    // Out-of-range codes and buttons answer false.
    bool isKeyDown(irr::EKEY_CODE key) const;
    bool isMouseButtonDown(irr::s32 button) const;

    // Orbit angles and distance from OrbitPosition and Target.
    void recalculateAngles();
    // Keeps the viewing direction and stands 100 units from the node.
    void pointCameraAtNode(irr::scene::ISceneNode* node);

private:
    void recalculateProjectionMatrix();
    void recalculateViewArea();
    void animate();
    bool keyMove(irr::core::vector3df& move) const;

    irr::scene::ISceneNode* ClickedNode;
    irr::core::vector3df Target;
    irr::core::vector3df UpVector;
    irr::scene::SViewFrustum Frustum;
    bool InputReceiverEnabled;
    irr::f32 FOV;
    irr::f32 AspectRatio;
    irr::f32 NearValue;
    irr::f32 FarValue;
    irr::IrrlichtDevice* Device;
    irr::core::vector3df OrbitPosition;
    bool InputBlocked;
    bool Rotating;
    bool Moving;
    irr::f32 ZoomSpeed;
    irr::f32 MoveSpeed;
    irr::f32 RotateSpeed;
    irr::core::vector2df RotateStart;
    irr::core::vector2df MoveStart;
    irr::f32 Distance;
    irr::f32 AngleH;
    irr::f32 AngleV;
    irr::core::vector3df OrbitCentre;
    irr::core::vector2df CursorPos;
    // One flag for every code an EKEY_CODE can carry (0 to 255).
    bool KeyDown[irr::KEY_KEY_CODES_COUNT];
    bool MouseButtons[3];
    irr::f32 MinZoom;
    irr::f32 MaxZoom;
};
