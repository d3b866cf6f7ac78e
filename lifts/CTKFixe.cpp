#include "CTKFixe.h"
#include "LiftGeometry.h"
#include "LiftScene.h"
#include <cmath>
#include <cstdio>

using namespace irr;
using core::vector3df;
using LiftScene::ropePoint;
using LiftScene::worldPos;

namespace {

const char* const FILE_GARE_DEPART = "media/departTKFixe.obj";
const char* const FILE_GARE_ARRIVEE = "media/baseArriveeTK.obj";
const char* const FILE_POULIE = "media/poulieTK.obj";
const char* const FILE_TEXTURE = "media/texture-pylone.png";
const char* const FILE_SOUND = "media/tkf-sound.mp3";

}  // namespace

CTKFixe::CTKFixe(scene::ISceneManager* smgr, video::IVideoDriver* driver)
    : smgr(smgr), driver(driver), nodeGareDepart(0), nodePoulieDepart(0), markerPoulieDepartMontee(0),
      markerPoulieDepartDescente(0), nodeGareArrivee(0), nodePoulieArrivee(0), markerPoulieArriveeMontee(0),
      markerPoulieArriveeDescente(0) {
    meshGareDepart = smgr->getMesh(FILE_GARE_DEPART);
    materialGareDepart.setTexture(0, driver->getTexture(FILE_TEXTURE));
    meshPoulieDepart = smgr->getMesh(FILE_POULIE);
    materialPoulieDepart.setTexture(0, driver->getTexture(FILE_TEXTURE));
    meshPoulieArrivee = smgr->getMesh(FILE_POULIE);
    materialPoulieArrivee.setTexture(0, driver->getTexture(FILE_TEXTURE));
    meshGareArrivee = smgr->getMesh(FILE_GARE_ARRIVEE);
    materialGareArrivee.setTexture(0, driver->getTexture(FILE_TEXTURE));
    type = REMONTEE_TKFIXE;
    built = false;
    windowOpen = false;
    vitesse = 2.0f;
    vitesseMax = 2.0f;
    espacementVehicules = 20.0f;
}

CTKFixe::~CTKFixe() {
    if (nodeGareDepart) nodeGareDepart->remove();
    if (nodeGareArrivee) nodeGareArrivee->remove();
}

void CTKFixe::setNodeName(const core::stringc& name) {
    if (nodeGareDepart) nodeGareDepart->setName(name);
}

core::stringc CTKFixe::getNodeName() { return nodeGareDepart ? core::stringc(nodeGareDepart->getName()) : ""; }

void CTKFixe::setPositionDepart(const vector3df& position) { positionDepart = position; }
void CTKFixe::setPositionArrivee(const vector3df& position) { positionArrivee = position; }
vector3df CTKFixe::getPositionDepart() { return positionDepart; }
vector3df CTKFixe::getPositionArrivee() { return positionArrivee; }

vector3df CTKFixe::getRotation() { return nodeGareDepart ? nodeGareDepart->getRotation() : vector3df(); }

void CTKFixe::createGareDepart() {
    nodeGareDepart = LiftScene::addMeshPart(smgr, meshGareDepart, nullptr, "TKF", FILE_GARE_DEPART);
    LiftScene::applyMaterial(nodeGareDepart, materialGareDepart);
    nodeGareDepart->setID(4);
    nodeGareDepart->setScale(vector3df(1.8f, 1.8f, 1.8f));
    nodeGareDepart->setPosition(positionDepart);
    nodeGareDepart->updateAbsolutePosition();
    // Only a real mesh can be picked.
    if (meshGareDepart) {
        scene::ITriangleSelector* selector = smgr->createTriangleSelector(meshGareDepart, nodeGareDepart);
        nodeGareDepart->setTriangleSelector(selector);
        if (selector) selector->drop();
    }

    nodePoulieDepart = LiftScene::addMeshPart(smgr, meshPoulieDepart, nodeGareDepart, "TKF", FILE_POULIE);
    LiftScene::applyMaterial(nodePoulieDepart, materialPoulieDepart);
    nodePoulieDepart->setScale(vector3df(0.8f, 0.8f, 0.8f));
    nodePoulieDepart->setRotation(LiftGeometry::TKFIXE_POULIE_DEPART_TURN);
    nodePoulieDepart->setPosition(LiftGeometry::TKFIXE_POULIE_DEPART);
    nodePoulieDepart->updateAbsolutePosition();

    markerPoulieDepartMontee = LiftScene::addMarker(smgr, nodeGareDepart, vector3df(-1.2f, 5.2f, -0.8f));
    markerPoulieDepartDescente = LiftScene::addMarker(smgr, nodeGareDepart, vector3df(-1.2f, 5.2f, 0.8f));
}

void CTKFixe::createGareArrivee() {
    nodeGareArrivee = LiftScene::addMeshPart(smgr, meshGareArrivee, nullptr, "TKF", FILE_GARE_ARRIVEE);
    LiftScene::applyMaterial(nodeGareArrivee, materialGareArrivee);
    nodeGareArrivee->setScale(vector3df(1.5f, 1.5f, 1.5f));
    nodeGareArrivee->setPosition(positionArrivee);
    nodeGareArrivee->updateAbsolutePosition();

    nodePoulieArrivee = LiftScene::addMeshPart(smgr, meshPoulieArrivee, nodeGareArrivee, "TKF", FILE_POULIE);
    LiftScene::applyMaterial(nodePoulieArrivee, materialPoulieArrivee);
    nodePoulieArrivee->setParent(nodeGareArrivee);
    nodePoulieArrivee->setScale(vector3df(1.5f, 1.5f, 1.5f));
    nodePoulieArrivee->setRotation(LiftGeometry::TKFIXE_POULIE_ARRIVEE_TURN);
    nodePoulieArrivee->setPosition(LiftGeometry::TKFIXE_POULIE_ARRIVEE);
    nodePoulieArrivee->updateAbsolutePosition();

    markerPoulieArriveeMontee = LiftScene::addMarker(smgr, nodeGareArrivee, vector3df(-14.4f, 14.2f, 1.4f));
    markerPoulieArriveeDescente = LiftScene::addMarker(smgr, nodeGareArrivee, vector3df(-14.4f, 14.8f, -1.4f));

    // Both terminals face along the line; the engine updates their absolute
    // transforms at the next scene update.
    const f32 yaw = (positionArrivee - positionDepart).getHorizontalAngle().Y;
    if (nodeGareDepart) nodeGareDepart->setRotation(vector3df(0, yaw + 90, 0));
    nodeGareArrivee->setRotation(vector3df(0, yaw - 90, 0));
}

void CTKFixe::setSound(bool on) { switchMotorSound(on, FILE_SOUND, "Erreur chargement son moteur TKF"); }

s32 CTKFixe::getPrevPyloneType1(u32 i) {
    for (s32 j = static_cast<s32>(core::min_(i, arrPylones.size())) - 1; j >= 0; --j)
        if (arrPylones[j]->getTypePylone() == PYLONE_TK_MONTEE_DESCENTE) return j;
    return -1;
}

s32 CTKFixe::getNextPyloneType1(u32 i) {
    for (u32 j = i + 1; j < arrPylones.size(); ++j)
        if (arrPylones[j]->getTypePylone() == PYLONE_TK_MONTEE_DESCENTE) return static_cast<s32>(j);
    return -1;
}

void CTKFixe::createTroncons() {
    if (!nodePoulieDepart || !nodePoulieArrivee) return;
    deleteTroncons();

    const vector3df B = worldPos(nodePoulieDepart), T = worldPos(nodePoulieArrivee);
    const vector3df Bm = worldPos(markerPoulieDepartMontee), Bd = worldPos(markerPoulieDepartDescente);
    const vector3df Tm = worldPos(markerPoulieArriveeMontee), Td = worldPos(markerPoulieArriveeDescente);
    const s32 N = static_cast<s32>(arrPylones.size());
    auto Pm = [&](s32 i) { return worldPos(arrPylones[i]->markerMontee); };
    auto Pd = [&](s32 i) { return worldPos(arrPylones[i]->markerDescente); };
    auto Rm = [&](s32 i) { return ropePoint(arrPylones[i]->markerMontee, arrPylones[i]->supportMontee); };
    auto Rd = [&](s32 i) { return ropePoint(arrPylones[i]->markerDescente, arrPylones[i]->supportDescente); };

    auto wheel = [&](s32 kind, const vector3df& centre) {
        CTronconRM* t = appendTroncon(kind);
        t->centre = centre;
        return t;
    };
    auto line = [&](bool montee, const vector3df& debut, const vector3df& fin) {
        CTronconRM* t = appendTroncon(TRONCON_LIGNE, montee);
        t->debut = debut;
        t->fin = fin;
        return t;
    };

    traceSeparator();
    if (N == 0) {
        wheel(POULIEDEPART, B);
        line(true, Bm, Tm);
        wheel(POULIEARRIVEE, T);
        line(false, Td, Bd);
        return;
    }

    wheel(POULIEDEPART, B);
    printf("troncon %i POULIE Depart\n", 0);

    // Up line: every pylon carries it.
    for (s32 i = 0; i < N; ++i) {
        CPyloneRM* p = arrPylones[i];
        const vector3df debut = i == 0 ? Bm : Rm(i - 1);
        p->supportMontee = supportOrCompression(i == 0 ? B : Pm(i - 1), Pm(i), i < N - 1 ? Pm(i + 1) : T);
        traceUpSign(i, N, p->supportMontee);
        traceLine(line(true, debut, Rm(i)), "montee");
    }
    CPyloneRM* last = arrPylones[N - 1];
    last->supportMontee = supportOrCompression(N == 1 ? B : Pm(N - 2), Pm(N - 1), T);
    printf("P last %s\n", signWord(last->supportMontee));
    traceLine(line(true, Rm(N - 1), Tm), "montee");

    const CTronconRM* top = wheel(POULIEARRIVEE, T);
    printf("troncon %i POULIE Arrivee\n", top->numero);

    // Down line: only pylons of kind 1 carry it, the others are spanned.
    core::array<s32> K;
    for (s32 k = getPrevPyloneType1(N); k >= 0; k = getPrevPyloneType1(k)) K.push_back(k);
    const s32 m = static_cast<s32>(K.size());
    if (m == 0) {
        traceLine(line(false, Td, Bd), "descente");
    } else {
        for (s32 s = 0; s < m; ++s) {
            CPyloneRM* p = arrPylones[K[s]];
            const vector3df debut = s == 0 ? Td : Rd(K[s - 1]);
            vector3df prev;
            if (K[s] == N - 1)
                prev = T;
            else if (s == 0)
                prev = Td;
            else
                prev = Pd(K[s - 1]);
            vector3df next;
            if (s < m - 1)
                next = Pd(K[s + 1]);
            else
                next = K[s] == N - 1 ? B : Bd;
            p->supportDescente = supportOrCompression(prev, Pd(K[s]), next);
            traceLine(line(false, debut, Rd(K[s])), "descente");
        }
        CPyloneRM* lowest = arrPylones[K[m - 1]];
        if (K[m - 1] == 0) lowest->supportDescente = supportOrCompression(m >= 2 ? Pd(K[m - 2]) : T, Pd(0), B);
        traceLine(line(false, Rd(K[m - 1]), Bd), "descente");
    }
    traceSeparator();
}

void CTKFixe::createVehicules() { placeCarriersAlongLines(smgr, driver, VEHICULE_PERCHE_FIXE, getRotation().Y, true); }

void CTKFixe::cableLines(core::array<core::line3df>& lines) {
    lines.clear();
    if (!nodePoulieDepart || !nodePoulieArrivee) return;
    const vector3df Bm = worldPos(markerPoulieDepartMontee), Bd = worldPos(markerPoulieDepartDescente);
    const vector3df Tm = worldPos(markerPoulieArriveeMontee), Td = worldPos(markerPoulieArriveeDescente);

    vector3df from = Bm;
    for (u32 i = 0; i < arrPylones.size(); ++i) {
        const vector3df to = ropePoint(arrPylones[i]->markerMontee, arrPylones[i]->supportMontee);
        lines.push_back(core::line3df(from, to));
        from = to;
    }
    lines.push_back(core::line3df(from, Tm));

    from = Td;
    for (s32 k = getPrevPyloneType1(arrPylones.size()); k >= 0; k = getPrevPyloneType1(k)) {
        const vector3df to = ropePoint(arrPylones[k]->markerDescente, arrPylones[k]->supportDescente);
        lines.push_back(core::line3df(from, to));
        from = to;
    }
    lines.push_back(core::line3df(from, Bd));
}

void CTKFixe::drawCables() {
    core::array<core::line3df> lines;
    cableLines(lines);
    drawRopeLines(driver, lines);
}

void CTKFixe::update(const vector3df* cameraPosition, f32 dt) {
    if (!nodePoulieDepart || !nodePoulieArrivee) return;
    if (!running) {
        if (built && sound && sound->isPlaying()) sound->stop();
        return;
    }

    vector3df r = nodePoulieDepart->getRotation();
    r.Y += dt * vitesse * 36;
    if (r.Y > 360) r.Y -= 360;
    nodePoulieDepart->setRotation(r);

    LiftScene::turnAboutOwnY(nodePoulieArrivee, -36 * vitesse * dt);

    fadeMotorSound(cameraPosition, nodeGareDepart);

    for (u32 i = 0; i < arrPylones.size(); ++i) arrPylones[i]->animateGalets(dt * vitesse * 50);

    for (u32 i = 0; i < arrVehicules.size(); ++i) {
        CVehicule* v = arrVehicules[i];
        CTronconRM* t = GetTronconByNumero(v->numtroncon);
        if (!t) {
            printf("ERREUR GetTronconByNumero for CTKFixe t->0\n");
            continue;
        }
        switch (t->getType()) {
        case TRONCON_LIGNE:
            if (advanceOnLine(v, t, dt * vitesse)) passOn(v);
            break;
        case POULIEDEPART: moveOnBottomWheel(v, t, dt); break;
        case POULIEARRIVEE: moveOnTopWheel(v, t, dt); break;
        default: break;
        }
    }
}

void CTKFixe::moveOnBottomWheel(CVehicule* v, CTronconRM* /*t*/, f32 dt) {
    const f32 r =
        markerPoulieDepartMontee->getPosition().getDistanceFrom(markerPoulieDepartDescente->getPosition()) / 2 + 0.3f;
    const f32 step = dt * vitesse * 4.0f / (r * core::PI);
    v->progression += step;
    const f32 u = core::PI - v->progression;
    const f32 yaw = nodeGareDepart->getRotation().Y;
    const f32 yawRad = core::PI * yaw / 180;
    const f64 theta = static_cast<f64>(u) - yawRad - core::HALF_PI;
    const vector3df B = worldPos(nodePoulieDepart);
    v->setPosition(vector3df(static_cast<f32>(B.X + r * std::cos(theta)),
                             static_cast<f32>(B.Y + std::sin(-static_cast<f64>(u)) / 10),
                             static_cast<f32>(B.Z + r * std::sin(theta))));
    turnAboutVertical(v, step);
    if (!(u > 0)) leaveWheel(v, yaw);
}

void CTKFixe::moveOnTopWheel(CVehicule* v, CTronconRM* /*t*/, f32 dt) {
    const f32 R =
        markerPoulieArriveeMontee->getPosition().getDistanceFrom(markerPoulieArriveeDescente->getPosition()) / 2 + 0.5f;
    const f32 step = dt * vitesse * 5.0f / (R * core::PI);
    v->progression += step;
    const f32 u = core::PI - v->progression;
    turnAboutVertical(v, step);
    const f32 dy = worldPos(markerPoulieArriveeDescente).Y - worldPos(markerPoulieArriveeMontee).Y;
    const f32 yaw = nodeGareDepart->getRotation().Y;
    const f32 yawRad = core::PI * yaw / 180;
    const f64 theta = static_cast<f64>(u) - yawRad + core::HALF_PI;
    const vector3df T = worldPos(nodePoulieArrivee);
    v->setPosition(vector3df(static_cast<f32>(T.X + R * std::cos(theta)), T.Y - dy / 2 + v->progression * dy / core::PI,
                             static_cast<f32>(T.Z + R * std::sin(theta))));
    if (v->progression >= core::PI) leaveWheel(v, yaw + 180);
}
