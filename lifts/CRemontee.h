// Base of every ski lift: kind, speeds, state flags, rope loop, pylons,
// carriers, name and the lift's own audio device and motor sound, and the
// steps the three kinds share (carrier motion and spacing, motor sound,
// rope-loop trace lines).
// The map deletes lifts through this class.
#pragma once
#include <irrlicht.h>
#include "audiere.h"
#include "LiftConstants.h"
#include "CTronconRM.h"
#include "CVehicule.h"
#include "CPyloneRM.h"

class CRemontee {
public:
    CRemontee();
    // Deletes the segments, pylons and carriers still held.
    virtual ~CRemontee();

    virtual void setName(const irr::core::stringc& name);
    virtual irr::core::stringc getName();
    virtual void setNodeName(const irr::core::stringc& name);
    virtual irr::core::stringc getNodeName();
    virtual void setPositionDepart(const irr::core::vector3df& position);
    virtual void setPositionArrivee(const irr::core::vector3df& position);
    virtual irr::core::vector3df getPositionDepart();
    virtual irr::core::vector3df getPositionArrivee();
    virtual void createGareDepart();
    virtual void createGareArrivee();
    // Euler angles (pitch, yaw, 0) in degrees of the line from bottom to top.
    virtual irr::core::vector3df getRotation();
    virtual void drawCables();
    // cameraPosition: the camera's absolute position; dt: frame time in seconds.
    virtual void update(const irr::core::vector3df* cameraPosition, irr::f32 dt);
    virtual void createVehicules();
    virtual void createTroncons();
    virtual void setSound(bool on);
    virtual audiere::OutputStreamPtr getSound();
    // First segment (lowest array index) carrying that number, or null.
    virtual CTronconRM* GetTronconByNumero(irr::s32 numero);
    // Angle in degrees between a and b; 0 when either is zero-length.
    virtual irr::f32 angleBetween(const irr::core::vector3df& a, const irr::core::vector3df& b);
    // How the rope passes p between its neighbours a and b: 1 support, -1 compression.
    virtual irr::s32 supportOrCompression(const irr::core::vector3df& a, const irr::core::vector3df& p,
                                          const irr::core::vector3df& b);

    irr::s32 type = 0;        // REMONTEE_*
    irr::f32 vitesse = 0;     // m/s
    irr::f32 vitesseMax = 0;  // m/s
    bool built;
    bool windowOpen = false;
    bool running;
    irr::core::array<CTronconRM*> arrTroncons;  // owned
    irr::core::array<CPyloneRM*> arrPylones;    // owned, bottom to top
    irr::core::array<CVehicule*> arrVehicules;  // owned
    irr::f32 espacementVehicules = 0;
    irr::core::stringc name;
    irr::core::vector3df positionDepart;
    irr::core::vector3df positionArrivee;
    audiere::AudioDevicePtr audioDevice;
    audiere::OutputStreamPtr sound;

protected:
    // Deletes every segment of the rope loop and empties it, for a rebuild.
    void deleteTroncons();
    // A new segment of `segmentType` at the end of the rope loop, numbered by its place in it.
    CTronconRM* appendTroncon(irr::s32 segmentType, bool montee = true);

    // Moves v along straight segment t by `distance` world units. Returns true when the carrier has
    // reached the segment's end (then it stands exactly on t->fin and progression is 1).
    //
    // progression grows by distance / |fin - debut| and the carrier is put on
    // debut + (fin - debut) * progression; it has arrived when its position read
    // back lies within 0.1 of fin on every axis, when progression reaches 1 (a
    // long frame never runs past fin) or at once on a zero-length segment.
    // Passing it on is the caller's part, as the caller knows its loop:
    //     if (advanceOnLine(v, t, dt * vitesse)) {
    //         passOn(v);
    //         // ...any kind-specific step on arrival (the detachable lift's queue)
    //     }
    bool advanceOnLine(CVehicule* v, CTronconRM* t, irr::f32 distance);

    // Puts v at the start (progression 0) of the segment numbered after its own,
    // or of segment 0 after the last one.
    void passOn(CVehicule* v);
    // A carrier at the end of its half turn round a bullwheel faces `yaw` and
    // passes on. A wheel segment has no end point: the carrier waits where its
    // next straight stretch begins.
    void leaveWheel(CVehicule* v, irr::f32 yaw);

    // Draws rope lines in opaque black between world positions. The material is
    // set here: whatever was drawn last would otherwise light or texture them.
    void drawRopeLines(irr::video::IVideoDriver* driver, const irr::core::array<irr::core::line3df>& lines);

    // Heading of direction d about the vertical, in degrees in [0, 360): atan2(d.X, d.Z)
    // in double precision, stored as a float, then brought into range.
    static irr::f32 lineYaw(const irr::core::vector3df& d);

    // Opens `file` as the looping motor sound at full volume and plays it (on), or
    // stops the sound (off). A file that does not open leaves the lift silent; a
    // non-null `failure` is then printed as a line.
    void switchMotorSound(bool on, const char* file, const char* failure);
    // The motor fades with the camera's distance from `source` (a terminal) and
    // is silent past 100 units.
    void fadeMotorSound(const irr::core::vector3df* cameraPosition, irr::scene::ISceneNode* source);

    // Puts a carrier of `vehiculeType` every espacementVehicules along the straight
    // segments, walked in number order; what a segment leaves over carries on into
    // the next. Up-line carriers face `yaw`, down-line ones yaw + 180. traceCounts
    // prints each segment's count and direction.
    void placeCarriersAlongLines(irr::scene::ISceneManager* smgr, irr::video::IVideoDriver* driver,
                                 irr::s32 vehiculeType, irr::f32 yaw, bool traceCounts);

    // Turns carrier v by `angle` radians about the vertical, through the engine's
    // quaternions: its Euler angles may come back with X and Z of +-180.
    static void turnAboutVertical(CVehicule* v, irr::f32 angle);

    // The rope-loop builders' trace lines.
    static const char* signWord(irr::s32 sign);  // "support" for 1, else "compression"
    static void traceSeparator();                // the dashed line around a loop's trace
    // The up-line sign of pylon `index` of `count`: "P0", "Pi", or "Pi-1" for the last one.
    static void traceUpSign(irr::s32 index, irr::s32 count, irr::s32 sign);
    // "troncon <numero> LIGNE <line> debut = x ; y ; z  fin = x ; y ; z" for straight segment t.
    static void traceLine(const CTronconRM* t, const char* line);
};
