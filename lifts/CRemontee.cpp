#include "CRemontee.h"
#include <cmath>
#include <cstdio>

using namespace irr;

CRemontee::CRemontee() : built(false), running(false), positionDepart(0, 0, 0), positionArrivee(0, 0, 0) {
    audioDevice = audiere::OpenDevice();
}

CRemontee::~CRemontee() {
    deleteTroncons();
    for (u32 i = 0; i < arrPylones.size(); ++i) delete arrPylones[i];
    for (u32 i = 0; i < arrVehicules.size(); ++i) delete arrVehicules[i];
    arrPylones.clear();
    arrVehicules.clear();
    sound = nullptr;
    audioDevice = nullptr;
}

void CRemontee::setName(const core::stringc& n) { name = n; }

core::stringc CRemontee::getName() { return name; }

void CRemontee::setNodeName(const core::stringc&) {}

core::stringc CRemontee::getNodeName() { return "RM"; }

// Every kind keeps its own bottom position.
void CRemontee::setPositionDepart(const core::vector3df&) {}

void CRemontee::setPositionArrivee(const core::vector3df& position) { positionArrivee = position; }

core::vector3df CRemontee::getPositionDepart() { return positionDepart; }

core::vector3df CRemontee::getPositionArrivee() { return positionArrivee; }

void CRemontee::createGareDepart() {}

void CRemontee::createGareArrivee() {}

core::vector3df CRemontee::getRotation() {
    const core::vector3df d = positionArrivee - positionDepart;
    const f32 yaw = lineYaw(d);
    const f32 h = std::sqrt(d.X * d.X + d.Z * d.Z);
    f32 pitch = static_cast<f32>(std::atan2(static_cast<f64>(h), static_cast<f64>(d.Y)) * core::RADTODEG64 - 90.0);
    if (pitch < 0) pitch += 360;
    if (pitch >= 360) pitch -= 360;
    return core::vector3df(pitch, yaw, 0);
}

void CRemontee::drawCables() {}

void CRemontee::update(const core::vector3df*, f32) {}

void CRemontee::createVehicules() {}

void CRemontee::createTroncons() {}

void CRemontee::setSound(bool) {}

audiere::OutputStreamPtr CRemontee::getSound() { return sound; }

CTronconRM* CRemontee::GetTronconByNumero(s32 numero) {
    for (u32 i = 0; i < arrTroncons.size(); ++i)
        if (arrTroncons[i]->numero == numero) return arrTroncons[i];
    return nullptr;
}

f32 CRemontee::angleBetween(const core::vector3df& a, const core::vector3df& b) {
    const f64 la = std::sqrt(static_cast<f64>(a.X) * a.X + static_cast<f64>(a.Y) * a.Y + static_cast<f64>(a.Z) * a.Z);
    const f64 lb = std::sqrt(static_cast<f64>(b.X) * b.X + static_cast<f64>(b.Y) * b.Y + static_cast<f64>(b.Z) * b.Z);
    if (la == 0 || lb == 0) return 0;  // no direction, no angle
    f64 c = (static_cast<f64>(a.X) * b.X + static_cast<f64>(a.Y) * b.Y + static_cast<f64>(a.Z) * b.Z) / (la * lb);
    // Rounding can push parallel vectors just past 1.
    if (c > 1) c = 1;
    if (c < -1) c = -1;
    const f32 rad = static_cast<f32>(std::acos(c));
    return rad * 180.0f / core::PI;
}

s32 CRemontee::supportOrCompression(const core::vector3df& a, const core::vector3df& p, const core::vector3df& b) {
    core::vector3df u = a - p;
    core::vector3df v = b - p;
    if (u.getLengthSQ() != 0) u.Y = u.Y / u.getLength();
    if (v.getLengthSQ() != 0) v.Y = v.Y / v.getLength();
    const f32 s = u.Y + v.Y;
    return s > 0 ? -1 : 1;
}

void CRemontee::deleteTroncons() {
    for (u32 i = 0; i < arrTroncons.size(); ++i) delete arrTroncons[i];
    arrTroncons.clear();
}

CTronconRM* CRemontee::appendTroncon(s32 segmentType, bool montee) {
    CTronconRM* t = new CTronconRM();
    t->numero = static_cast<s32>(arrTroncons.size());
    t->setType(segmentType);
    t->montee = montee;
    arrTroncons.push_back(t);
    return t;
}

bool CRemontee::advanceOnLine(CVehicule* v, CTronconRM* t, f32 distance) {
    const core::vector3df d = t->fin - t->debut;
    const f32 length = d.getLength();
    if (length > 0) {
        v->progression += distance / length;
        if (v->progression < 1) {
            v->setPosition(t->debut + d * v->progression);
            const core::vector3df q = v->getPosition();
            const core::vector3df& f = t->fin;
            const bool near = q.X >= f.X - 0.1f && q.X <= f.X + 0.1f && q.Y >= f.Y - 0.1f && q.Y <= f.Y + 0.1f &&
                              q.Z >= f.Z - 0.1f && q.Z <= f.Z + 0.1f;
            if (!near) return false;
        }
    }
    v->setPosition(t->fin);
    v->progression = 1;
    return true;
}

void CRemontee::passOn(CVehicule* v) {
    v->progression = 0;
    v->numtroncon = v->numtroncon >= static_cast<s32>(arrTroncons.size()) - 1 ? 0 : v->numtroncon + 1;
}

void CRemontee::leaveWheel(CVehicule* v, f32 yaw) {
    v->setRotation(core::vector3df(0, yaw, 0));
    passOn(v);
    CTronconRM* next = GetTronconByNumero(v->numtroncon);
    if (next && next->getType() == TRONCON_LIGNE) v->setPosition(next->debut);
}

void CRemontee::drawRopeLines(video::IVideoDriver* driver, const core::array<core::line3df>& lines) {
    if (!driver || lines.empty()) return;
    video::SMaterial plain;
    plain.Lighting = false;
    driver->setMaterial(plain);
    driver->setTransform(video::ETS_WORLD, core::IdentityMatrix);
    const video::SColor black(255, 0, 0, 0);
    for (u32 i = 0; i < lines.size(); ++i) driver->draw3DLine(lines[i].start, lines[i].end, black);
}

f32 CRemontee::lineYaw(const core::vector3df& d) {
    f32 yaw = static_cast<f32>(std::atan2(static_cast<f64>(d.X), static_cast<f64>(d.Z)) * core::RADTODEG64);
    if (yaw < 0) yaw += 360;
    if (yaw >= 360) yaw -= 360;
    return yaw;
}

void CRemontee::switchMotorSound(bool on, const char* file, const char* failure) {
    if (!on) {
        if (sound) sound->stop();
        return;
    }
    sound = audiere::OpenSound(audioDevice, file, true);
    if (sound) {
        sound->setRepeat(true);
        sound->setVolume(1.0f);
        sound->play();
    } else if (failure) {
        printf("%s\n", failure);
    }
}

void CRemontee::fadeMotorSound(const core::vector3df* cameraPosition, scene::ISceneNode* source) {
    if (!sound || !cameraPosition) return;
    const s32 d = static_cast<s32>(cameraPosition->getDistanceFrom(source->getPosition()));
    if (d <= 100) {
        sound->setVolume(1.0f - d / 100.0f);
        if (!sound->isPlaying()) sound->play();
    } else if (sound->isPlaying()) {
        sound->stop();
    }
}

void CRemontee::placeCarriersAlongLines(scene::ISceneManager* smgr, video::IVideoDriver* driver, s32 vehiculeType,
                                        f32 yaw, bool traceCounts) {
    const f32 spacing = espacementVehicules;
    f32 carry = 0;
    for (u32 i = 0; i < arrTroncons.size(); ++i) {
        CTronconRM* t = GetTronconByNumero(static_cast<s32>(i));
        if (!t || t->getType() != TRONCON_LIGNE) continue;
        const core::vector3df d = t->fin - t->debut;
        const f32 available = d.getLength() - carry;
        const s32 count = static_cast<s32>(available / spacing);
        carry = available - count * spacing;
        core::vector3df u = d;
        u.normalize();
        if (traceCounts) printf("troncon->%i nbperches=%i difference=%f ; %f ; %f\n", i, count, u.X, u.Y, u.Z);
        const core::vector3df rotation(0, t->montee ? yaw : yaw + 180, 0);
        for (s32 k = 1; k <= count; ++k) {
            CVehicule* v = new CVehicule(smgr, driver);
            v->setType(vehiculeType);
            v->numtroncon = t->numero;
            v->progression = (k * spacing - carry) / available;
            v->create(t->debut + u * (k * spacing) - u * carry, rotation);
            arrVehicules.push_back(v);
        }
    }
}

void CRemontee::turnAboutVertical(CVehicule* v, f32 angle) {
    const core::vector3df r = v->getRotation() * core::DEGTORAD;
    core::quaternion current;
    current.set(r.X, r.Y, r.Z);
    const core::quaternion turn(0, std::sin(angle / 2), 0, std::cos(angle / 2));
    core::vector3df euler;
    (turn * current).toEuler(euler);
    v->setRotation(euler * core::RADTODEG);
}

const char* CRemontee::signWord(s32 sign) { return sign == 1 ? "support" : "compression"; }

void CRemontee::traceSeparator() { printf("------------------------\n"); }

void CRemontee::traceUpSign(s32 index, s32 count, s32 sign) {
    if (index == 0)
        printf("P0 %s\n", signWord(sign));
    else if (index < count - 1)
        printf("Pi %s\n", signWord(sign));
    else
        printf("Pi-1 %s\n", signWord(sign));
}

void CRemontee::traceLine(const CTronconRM* t, const char* line) {
    printf("troncon %i LIGNE %s debut = %f ; %f ; %f  fin = %f ; %f ; %f\n", t->numero, line, t->debut.X, t->debut.Y,
           t->debut.Z, t->fin.X, t->fin.Y, t->fin.Z);
}
