#include "CTSFixe.h"
#include "LiftGeometry.h"
#include "LiftScene.h"
#include <cmath>
#include <cstdio>

using namespace irr;
using core::vector3df;
using LiftScene::ropePoint;
using LiftScene::spin;
using LiftScene::worldPos;

namespace {

const char* const MESH_GARE_DEPART = "media/gareTSfixe2.obj";
const char* const MESH_GARE_ARRIVEE = "media/retourTsFixe.obj";
const char* const MESH_POULIE = "media/PoulieTS.obj";
const char* const MESH_GALET = "media/galet.obj";

// A terminal node (its meshes are built for a scale of 4) standing at `position`.
scene::ISceneNode* addTerminal(scene::ISceneManager* smgr, scene::IAnimatedMesh* mesh, const char* file,
                               const video::SMaterial& material, const vector3df& position) {
    scene::ISceneNode* node = LiftScene::addPart(smgr, mesh, nullptr, "TSFixe", file);
    node->setScale(vector3df(4, 4, 4));
    LiftScene::applyMaterial(node, material);
    node->setPosition(position);
    node->updateAbsolutePosition();
    return node;
}

// A bullwheel under its terminal's housing, turned over.
scene::ISceneNode* addBullwheel(scene::ISceneManager* smgr, scene::IAnimatedMesh* mesh, scene::ISceneNode* terminal,
                                const video::SMaterial& material, const vector3df& position) {
    scene::ISceneNode* node = LiftScene::addPart(smgr, mesh, terminal, "TSFixe", MESH_POULIE);
    LiftScene::applyMaterial(node, material);
    node->setScale(vector3df(0.15f, 0.15f, 0.15f));
    node->setPosition(position);
    node->setRotation(vector3df(180, 0, 0));
    node->updateAbsolutePosition();
    return node;
}

void addGalet(scene::ISceneManager* smgr, Galet& g, scene::ISceneNode* parent, const vector3df& rotation,
              const vector3df& position) {
    g.mesh = smgr->getMesh(MESH_GALET);
    g.node = LiftScene::addPart(smgr, g.mesh, parent, "TSFixe", MESH_GALET);
    g.node->setScale(vector3df(0.05f, 0.05f, 0.05f));
    g.node->setRotation(rotation);
    g.node->setPosition(position);
    g.node->updateAbsolutePosition();
}

vector3df lowered(const vector3df& p) { return p - vector3df(0, 0.1f, 0); }

}  // namespace

CTSFixe::CTSFixe(scene::ISceneManager* smgr_, video::IVideoDriver* driver_)
    : positionDepart(0, 0, 0), positionArrivee(0, 0, 0), smgr(smgr_), driver(driver_) {
    meshGareDepart = smgr->getMesh(MESH_GARE_DEPART);
    meshPoulieDepart = smgr->getMesh(MESH_POULIE);
    meshPoulieArrivee = smgr->getMesh(MESH_POULIE);
    meshGareArrivee = smgr->getMesh(MESH_GARE_ARRIVEE);
    type = REMONTEE_TSFIXE;
    built = false;
    windowOpen = false;
    vitesse = 2.5f;
    vitesseMax = 2.5f;
    espacementVehicules = 30.0f;
}

CTSFixe::~CTSFixe() {}

void CTSFixe::setNodeName(const core::stringc& n) {
    if (nodeGareDepart) nodeGareDepart->setName(n);
}

core::stringc CTSFixe::getNodeName() {
    return nodeGareDepart ? core::stringc(nodeGareDepart->getName()) : core::stringc();
}

void CTSFixe::setPositionDepart(const vector3df& p) { positionDepart = p; }

void CTSFixe::setPositionArrivee(const vector3df& p) { positionArrivee = p; }

vector3df CTSFixe::getPositionDepart() { return positionDepart; }

vector3df CTSFixe::getPositionArrivee() { return positionArrivee; }

vector3df CTSFixe::getRotation() { return nodeGareDepart ? nodeGareDepart->getRotation() : vector3df(0, 0, 0); }

void CTSFixe::createGareDepart() {
    nodeGareDepart = addTerminal(smgr, meshGareDepart, MESH_GARE_DEPART, materialGareDepart, positionDepart);
    nodeGareDepart->setID(5);
    // The bottom terminal is what the player clicks to open the lift's window.
    if (meshGareDepart) {
        scene::ITriangleSelector* selector = smgr->createTriangleSelector(meshGareDepart, nodeGareDepart);
        nodeGareDepart->setTriangleSelector(selector);
        selector->drop();
    }

    nodePoulieDepart =
        addBullwheel(smgr, meshPoulieDepart, nodeGareDepart, materialPoulieDepart, LiftGeometry::TSFIXE_POULIE_DEPART);

    markerPoulieDepartMontee = LiftScene::addMarker(smgr, nodeGareDepart, vector3df(2.0f, 2.8f, 1.01f));
    markerPoulieDepartDescente = LiftScene::addMarker(smgr, nodeGareDepart, vector3df(2.0f, 2.8f, -0.69f));

    for (int k = 0; k < 8; ++k) {
        addGalet(smgr, galetsDepartMontee[k], nodeGareDepart, vector3df(-90, 0, 0),
                 LiftGeometry::TSFIXE_GALETS_DEPART_MONTEE[k]);
        addGalet(smgr, galetsDepartDescente[k], nodeGareDepart, vector3df(90, 0, 0),
                 LiftGeometry::TSFIXE_GALETS_DEPART_DESCENTE[k]);
    }

    markerGaletsDescenteExterieur = LiftScene::addMarker(smgr, nodeGareDepart, vector3df(-6.8f, 3.1f, -0.61f));
    markerGaletsMonteeExterieur = LiftScene::addMarker(smgr, nodeGareDepart, vector3df(-6.8f, 3.1f, 0.84f));
    markerGaletsDescenteInterieur = LiftScene::addMarker(smgr, nodeGareDepart, vector3df(-4.7f, 2.67f, -0.62f));
    markerGaletsMonteeInterieur = LiftScene::addMarker(smgr, nodeGareDepart, vector3df(-4.6f, 2.64f, 0.85f));
}

void CTSFixe::createGareArrivee() {
    if (!nodeGareDepart) return;  // the top terminal faces the bottom one
    positionArrivee.Y -= 0.5f;
    nodeGareArrivee = addTerminal(smgr, meshGareArrivee, MESH_GARE_ARRIVEE, materialGareArrivee, positionArrivee);
    nodePoulieArrivee = addBullwheel(smgr, meshPoulieArrivee, nodeGareArrivee, materialPoulieArrivee,
                                     LiftGeometry::TSFIXE_POULIE_ARRIVEE);

    markerPoulieArriveeMontee = LiftScene::addMarker(smgr, nodeGareArrivee, vector3df(1.2f, 2.9f, -0.9f));
    markerPoulieArriveeDescente = LiftScene::addMarker(smgr, nodeGareArrivee, vector3df(1.2f, 2.9f, 0.9f));

    addGalet(smgr, galetArriveeDescente, nodeGareArrivee, vector3df(90, 0, 0), vector3df(-1.33f, 2.8f, 0.84f));
    addGalet(smgr, galetArriveeMontee, nodeGareArrivee, vector3df(-90, 0, 0), vector3df(-1.33f, 2.8f, -0.835f));

    markerGaletArriveeDescente = LiftScene::addMarker(smgr, nodeGareArrivee, vector3df(-1.33f, 2.9f, 0.84f));
    markerGaletArriveeMontee = LiftScene::addMarker(smgr, nodeGareArrivee, vector3df(-1.33f, 2.9f, -0.835f));

    // Not lineYaw: a single correction here, so a heading a hair below 0 stays at 360.
    const vector3df d = positionArrivee - positionDepart;
    f32 yaw = static_cast<f32>(std::atan2(static_cast<f64>(d.X), static_cast<f64>(d.Z)) * core::RADTODEG64);
    if (yaw < 0)
        yaw += 360;
    else if (yaw >= 360)
        yaw -= 360;
    nodeGareDepart->setRotation(vector3df(0, yaw + 90, 0));
    nodeGareArrivee->setRotation(vector3df(0, yaw - 90, 0));
    // The rope may be drawn or laid before the next scene pass: markers follow the turn now.
    LiftScene::refreshSubtree(nodeGareDepart);
    LiftScene::refreshSubtree(nodeGareArrivee);
}

core::array<CPyloneRM*> CTSFixe::ropePylones() {
    core::array<CPyloneRM*> pylones;
    for (u32 i = 0; i < arrPylones.size(); ++i)
        if (arrPylones[i]->markerMontee && arrPylones[i]->markerDescente) pylones.push_back(arrPylones[i]);
    return pylones;
}

int CTSFixe::getPrevPylone(int i) { return i - 1; }

// i + 1 compared unsigned: an index below -1 has no next pylon.
int CTSFixe::getNextPylone(int i) { return static_cast<u32>(i) + 1u < arrPylones.size() ? i + 1 : -1; }

core::array<core::line3df> CTSFixe::ropeLines() {
    core::array<core::line3df> lines;
    if (!nodePoulieDepart || !nodePoulieArrivee) return lines;
    auto line = [&lines](const vector3df& a, const vector3df& b) { lines.push_back(core::line3df(a, b)); };
    line(worldPos(markerPoulieDepartMontee), worldPos(markerGaletsMonteeInterieur));
    line(worldPos(markerPoulieDepartDescente), worldPos(markerGaletsDescenteInterieur));
    line(worldPos(markerGaletsMonteeInterieur), worldPos(markerGaletsMonteeExterieur));
    line(worldPos(markerGaletsDescenteInterieur), worldPos(markerGaletsDescenteExterieur));

    const core::array<CPyloneRM*> pyl = ropePylones();
    const s32 n = static_cast<s32>(pyl.size());
    if (n == 0) {
        line(worldPos(markerGaletsMonteeExterieur), worldPos(markerGaletArriveeMontee));
        line(worldPos(markerGaletsDescenteExterieur), worldPos(markerGaletArriveeDescente));
        line(worldPos(markerGaletArriveeMontee), worldPos(markerPoulieArriveeMontee));
        line(worldPos(markerGaletArriveeDescente), worldPos(markerPoulieArriveeDescente));
        return lines;
    }
    auto p = [&pyl](s32 i) { return ropePoint(pyl[i]->markerMontee, pyl[i]->supportMontee, 0.2f); };
    auto q = [&pyl](s32 i) { return ropePoint(pyl[i]->markerDescente, pyl[i]->supportDescente, 0.2f); };
    line(worldPos(markerGaletsMonteeExterieur), p(0));
    for (s32 i = 1; i < n; ++i) line(p(i - 1), p(i));
    line(p(n - 1), worldPos(markerGaletArriveeMontee));
    line(worldPos(markerGaletArriveeMontee), worldPos(markerPoulieArriveeMontee));
    line(worldPos(markerGaletArriveeDescente), worldPos(markerPoulieArriveeDescente));
    line(worldPos(markerGaletArriveeDescente), q(n - 1));
    for (s32 j = n - 2; j >= 0; --j) line(q(j + 1), q(j));
    line(q(0), worldPos(markerGaletsDescenteExterieur));
    return lines;
}

void CTSFixe::drawCables() {
    if (!nodePoulieDepart || !nodePoulieArrivee) return;
    drawRopeLines(driver, ropeLines());
}

CTronconRM* CTSFixe::addTroncon(s32 numero, s32 segmentType, bool montee, const vector3df& debut,
                                const vector3df& fin) {
    CTronconRM* t = new CTronconRM();
    t->numero = numero;
    t->setType(segmentType);
    t->montee = montee;
    if (segmentType == TRONCON_LIGNE) {
        t->debut = debut;
        t->fin = fin;
    } else {
        t->centre = debut;  // wheel segments carry only their bullwheel's centre
    }
    return t;
}

void CTSFixe::createTroncons() {
    if (!nodePoulieDepart || !nodePoulieArrivee) return;
    deleteTroncons();

    const vector3df zero(0, 0, 0);
    const vector3df cb = worldPos(nodePoulieDepart), ct = worldPos(nodePoulieArrivee);
    const vector3df pdm = worldPos(markerPoulieDepartMontee), pdd = worldPos(markerPoulieDepartDescente);
    const vector3df pam = worldPos(markerPoulieArriveeMontee), pad = worldPos(markerPoulieArriveeDescente);
    const vector3df gmi = worldPos(markerGaletsMonteeInterieur), gme = worldPos(markerGaletsMonteeExterieur);
    const vector3df gdi = worldPos(markerGaletsDescenteInterieur), gde = worldPos(markerGaletsDescenteExterieur);
    const vector3df gam = worldPos(markerGaletArriveeMontee), gad = worldPos(markerGaletArriveeDescente);

    const core::array<CPyloneRM*> pyl = ropePylones();
    const s32 n = static_cast<s32>(pyl.size());
    if (n == 0) {
        traceSeparator();
        arrTroncons.push_back(addTroncon(0, POULIEDEPART, true, cb, zero));
        arrTroncons.push_back(addTroncon(1, TRONCON_LIGNE, true, pdm, lowered(gmi)));
        arrTroncons.push_back(addTroncon(2, TRONCON_LIGNE, true, gmi, lowered(gme)));
        arrTroncons.push_back(addTroncon(3, TRONCON_LIGNE, true, lowered(gme), gam));
        arrTroncons.push_back(addTroncon(4, TRONCON_LIGNE, true, lowered(gam), pam));
        arrTroncons.push_back(addTroncon(5, POULIEARRIVEE, true, ct, zero));
        arrTroncons.push_back(addTroncon(6, TRONCON_LIGNE, false, pad, gad));
        arrTroncons.push_back(addTroncon(7, TRONCON_LIGNE, false, gad, lowered(gde)));
        arrTroncons.push_back(addTroncon(8, TRONCON_LIGNE, false, lowered(gde), gdi));
        arrTroncons.push_back(addTroncon(9, TRONCON_LIGNE, false, gdi, pdd));
        return;
    }

    auto P = [&pyl](s32 i) { return worldPos(pyl[i]->markerMontee); };
    auto Q = [&pyl](s32 i) { return worldPos(pyl[i]->markerDescente); };
    auto ph = [&pyl](s32 i) { return ropePoint(pyl[i]->markerMontee, pyl[i]->supportMontee, 0.4f); };
    auto qh = [&pyl](s32 i) { return ropePoint(pyl[i]->markerDescente, pyl[i]->supportDescente, 0.4f); };

    arrTroncons.push_back(addTroncon(0, POULIEDEPART, true, cb, zero));
    traceSeparator();
    printf("troncon %i POULIE Depart\n", 0);
    arrTroncons.push_back(addTroncon(1, TRONCON_LIGNE, true, pdm, gmi));
    printf("troncon %i TRONCON_DEP montee 2\n", 1);
    arrTroncons.push_back(addTroncon(2, TRONCON_LIGNE, true, gmi, lowered(gme)));
    printf("troncon %i TRONCON_DEP montee 3\n", 2);
    arrTroncons.push_back(addTroncon(2 * n + 9, TRONCON_LIGNE, false, gdi, pdd));
    printf("troncon %i TRONCON_LIGNE descente 2\n", 2 * n + 9);
    arrTroncons.push_back(addTroncon(2 * n + 8, TRONCON_LIGNE, false, lowered(gde), gdi));
    printf("troncon %i TRONCON_LIGNE descente 3\n", 2 * n + 8);

    // Up line, pylon by pylon.
    for (s32 i = 0; i < n; ++i) {
        const vector3df lower = i == 0 ? cb : P(i - 1);
        const vector3df upper = i == n - 1 ? ct : P(i + 1);
        pyl[i]->supportMontee = supportOrCompression(lower, P(i), upper);
        traceUpSign(i, n, pyl[i]->supportMontee);
        CTronconRM* t = addTroncon(3 + i, TRONCON_LIGNE, true, i == 0 ? gme : ph(i - 1), ph(i));
        arrTroncons.push_back(t);
        traceLine(t, "montee");
    }
    {
        const vector3df lower = n == 1 ? cb : P(n - 2);
        pyl[n - 1]->supportMontee = supportOrCompression(lower, P(n - 1), ct);
        printf("P last %s\n", signWord(pyl[n - 1]->supportMontee));
        CTronconRM* t = addTroncon(n + 3, TRONCON_LIGNE, true, ph(n - 1), gam);
        arrTroncons.push_back(t);
        traceLine(t, "montee");
    }

    // Through the top terminal.
    arrTroncons.push_back(addTroncon(n + 4, TRONCON_LIGNE, true, gam, pam));
    arrTroncons.push_back(addTroncon(n + 5, POULIEARRIVEE, true, ct, zero));
    arrTroncons.push_back(addTroncon(n + 6, TRONCON_LIGNE, false, pad, gad));
    printf("troncon %i Galet Montee Arrivee\n", n + 4);
    printf("troncon %i POULIE Arrivee\n", n + 5);
    printf("troncon %i Galet Descente Arrivee\n", n + 6);

    // Down line, top pylon first.
    for (s32 j = n - 1; j >= 1; --j) {
        const vector3df upper = j == n - 1 ? ct : Q(j + 1);
        pyl[j]->supportDescente = supportOrCompression(upper, Q(j), Q(j - 1));
        CTronconRM* t = addTroncon(2 * n + 6 - j, TRONCON_LIGNE, false, j == n - 1 ? gad : qh(j + 1), qh(j));
        arrTroncons.push_back(t);
        traceLine(t, "descente");
    }
    // The lowest pylon is decided twice: its span from above ends with the first
    // sign, the span down to the terminal starts with the second, which stays.
    const vector3df upper0 = n == 1 ? ct : Q(1);
    pyl[0]->supportDescente = supportOrCompression(upper0, Q(0), n >= 2 ? pdd : cb);
    CTronconRM* last = addTroncon(2 * n + 6, TRONCON_LIGNE, false, n == 1 ? gad : qh(1), qh(0));
    pyl[0]->supportDescente = supportOrCompression(upper0, Q(0), cb);
    CTronconRM* toTerminal = addTroncon(2 * n + 7, TRONCON_LIGNE, false, qh(0), gde);
    arrTroncons.push_back(toTerminal);
    traceLine(toTerminal, "descente");
    traceLine(last, "descente");
    arrTroncons.push_back(last);
    traceSeparator();
}

void CTSFixe::createVehicules() { placeCarriersAlongLines(smgr, driver, VEHICULE_SIEGE, getRotation().Y, false); }

// Half a turn round a bullwheel; progression is the angle turned, 0 to pi.
void CTSFixe::moveOnWheel(CVehicule* v, CTronconRM* t, f32 s) {
    const bool bottom = t->getType() == POULIEDEPART;
    const vector3df across =
        bottom ? markerPoulieDepartMontee->getPosition() - markerPoulieDepartDescente->getPosition()
               : markerPoulieArriveeDescente->getPosition() - markerPoulieArriveeMontee->getPosition();
    const f32 r = 0.5f * across.getLength() + 2.9f;
    const f32 step = s * 7.0f / (r * core::PI);
    v->progression += step;
    const f32 yaw = nodeGareDepart->getRotation().Y;
    const f32 theta = yaw * core::PI / 180.0f;
    const f64 a = bottom ? v->progression - theta - core::HALF_PI : v->progression - theta + core::HALF_PI;
    v->setPosition(vector3df(static_cast<f32>(t->centre.X + r * std::cos(a)), t->centre.Y - (bottom ? 0.2f : 0.3f),
                             static_cast<f32>(t->centre.Z + r * std::sin(a))));

    turnAboutVertical(v, -step);

    if (v->progression < core::PI) return;
    leaveWheel(v, bottom ? yaw : yaw + 180);
}

void CTSFixe::update(const vector3df*, f32 dt) {
    if (!nodePoulieDepart || !nodePoulieArrivee || !running) return;
    const f32 s = dt * vitesse;

    vector3df r = nodePoulieDepart->getRotation();
    r.Y -= s * 15;
    if (r.Y < 0) r.Y += 360;
    nodePoulieDepart->setRotation(r);

    for (int k = 0; k < 8; ++k) {
        spin(galetsDepartDescente[k].node, &vector3df::Z, s * 50);
        spin(galetsDepartMontee[k].node, &vector3df::Z, -s * 50);
    }

    // The top bullwheel turns about its own axis, which stands upside down.
    LiftScene::turnAboutOwnY(nodePoulieArrivee, s * 15);

    spin(galetArriveeMontee.node, &vector3df::Z, -s * 50);
    spin(galetArriveeDescente.node, &vector3df::Z, s * 50);

    for (u32 i = 0; i < arrVehicules.size(); ++i) {
        CVehicule* v = arrVehicules[i];
        CTronconRM* t = GetTronconByNumero(v->numtroncon);
        if (!t) {
            printf("ERREUR GetTronconByNumero for CTSFixe t->0\n");
            continue;
        }
        switch (t->getType()) {
        case TRONCON_LIGNE:
            if (advanceOnLine(v, t, s)) passOn(v);
            break;
        case POULIEDEPART:
        case POULIEARRIVEE: moveOnWheel(v, t, s); break;
        default: break;
        }
    }
}
