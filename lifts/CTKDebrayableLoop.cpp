// The detachable lift's rope loop, its pole and the queue in the bottom station, and their motion.
#include "CTKDebrayable.h"
#include "LiftScene.h"
#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace irr;
using core::vector3df;
using LiftScene::ropePoint;
using LiftScene::spin;
using LiftScene::worldPos;

// ---- rope loop ----

void CTKDebrayable::createTroncons() {
    if (!nodePoulieDepart || !nodePoulieArrivee) return;
    deleteTroncons();

    if (!arrPylones.empty()) {
        buildLoopWithPylons();
        return;
    }

    traceSeparator();
    struct Row {
        s32 type;
        bool montee;
        scene::ISceneNode* debut;  // for straight and station segments
        scene::ISceneNode* fin;
        scene::ISceneNode* centre;  // for wheel segments
        const char* trace;
    };
    const Row rows[] = {
        {POULIEDEPART, true, nullptr, nullptr, nodePoulieDepart, "Troncon 0 POULIEDEPART %f %f %f\n"},
        {TRONCON_GARETKD, true, markerPoulieDepartMontee, markerGaletDepartMontee, nullptr,
         "Troncon 1 TRONCON_GARETKD deb %f %f %f et fin %f %f %f\n"},
        {TRONCON_LIGNE, true, markerGaletDepartMontee, markerGaletArriveeMontee, nullptr,
         "Troncon 2 TRONCON_LIGNE deb %f %f %f et fin %f %f %f\n"},
        {TRONCON_LIGNE, true, markerGaletArriveeMontee, markerPoulieArriveeMontee, nullptr,
         "Troncon 3 TRONCON_LIGNE deb %f %f %f et fin %f %f %f\n"},
        {POULIEARRIVEE, true, nullptr, nullptr, nodePoulieArrivee, "Troncon 4 POULIEARRIVEE %f %f %f\n"},
        {TRONCON_LIGNE, false, markerPoulieArriveeDescente, markerGaletArriveeDescente, nullptr,
         "Troncon 5 TRONCON_LIGNE deb %f %f %f et fin %f %f %f\n"},
        {TRONCON_LIGNE, false, markerGaletArriveeDescente, markerGaletDepartDescente, nullptr,
         "Troncon 6 TRONCON_LIGNE deb %f %f %f et fin %f %f %f\n"},
        {TRONCON_LIGNE, false, markerGaletDepartDescente, markerPoulieDepartDescente, nullptr,
         "Troncon 7 TRONCON_LIGNE deb %f %f %f et fin %f %f %f\n"},
    };
    for (s32 i = 0; i < 8; ++i) {
        const Row& row = rows[i];
        CTronconRM* t = appendTroncon(row.type, row.montee);
        if (row.centre) {
            t->centre = worldPos(row.centre);
        } else {
            t->debut = worldPos(row.debut);
            t->fin = worldPos(row.fin);
        }
        if (row.centre)
            printf(row.trace, t->centre.X, t->centre.Y, t->centre.Z);
        else
            printf(row.trace, t->debut.X, t->debut.Y, t->debut.Z, t->fin.X, t->fin.Y, t->fin.Z);
    }
}

core::array<s32> CTKDebrayable::upLinePylons() {
    core::array<s32> up;
    for (u32 i = 0; i < arrPylones.size(); ++i)
        if (arrPylones[i]->markerMontee) up.push_back(static_cast<s32>(i));
    return up;
}

core::array<s32> CTKDebrayable::downLinePylons() {
    core::array<s32> down;
    for (s32 j = getPrevPyloneType6(static_cast<s32>(arrPylones.size())); j >= 0; j = getPrevPyloneType6(j))
        if (arrPylones[j]->markerDescente) down.push_back(j);
    return down;
}

// Not a loop the game builds (no dialog gives this lift pylons): no waiting
// stretch; the up line over every pylon, the down line over those of kind 6.
// Pylons without a marker (no model) are passed in a straight span.
void CTKDebrayable::buildLoopWithPylons() {
    printf("--ALERTE TRONCON--\n");

    CTronconRM* wheel = appendTroncon(POULIEDEPART, true);
    wheel->centre = worldPos(nodePoulieDepart);
    traceSeparator();
    printf("troncon %i POULIE Depart\n", wheel->numero);

    const core::array<s32> up = upLinePylons();
    const s32 n = static_cast<s32>(up.size());
    auto upSign = [&](s32 k) {
        const vector3df prev = k == 0 ? worldPos(nodePoulieDepart) : worldPos(arrPylones[up[k - 1]]->markerMontee);
        const vector3df next = k < n - 1 ? worldPos(arrPylones[up[k + 1]]->markerMontee) : worldPos(nodePoulieArrivee);
        return supportOrCompression(prev, worldPos(arrPylones[up[k]]->markerMontee), next);
    };
    vector3df debut = worldPos(markerPoulieDepartMontee);
    for (s32 k = 0; k < n; ++k) {
        CPyloneRM* p = arrPylones[up[k]];
        p->supportMontee = upSign(k);
        traceUpSign(k, n, p->supportMontee);
        CTronconRM* t = appendTroncon(TRONCON_LIGNE, true);
        t->debut = debut;
        t->fin = ropePoint(p->markerMontee, p->supportMontee);
        traceLine(t, "montee");
        debut = t->fin;
    }
    if (n > 0) {
        CPyloneRM* last = arrPylones[up[n - 1]];
        last->supportMontee = upSign(n - 1);
        printf("P last %s\n", signWord(last->supportMontee));
        debut = ropePoint(last->markerMontee, last->supportMontee);
    }
    CTronconRM* t = appendTroncon(TRONCON_LIGNE, true);
    t->debut = debut;
    t->fin = worldPos(markerGaletArriveeMontee);
    traceLine(t, "montee");

    wheel = appendTroncon(POULIEARRIVEE, true);
    wheel->centre = worldPos(nodePoulieArrivee);
    printf("troncon %i POULIE Arrivee\n", wheel->numero);

    const core::array<s32> down = downLinePylons();
    const s32 m = static_cast<s32>(down.size());
    debut = worldPos(markerGaletArriveeDescente);
    for (s32 k = 0; k <= m; ++k) {
        t = appendTroncon(TRONCON_LIGNE, false);
        t->debut = debut;
        if (k < m) {
            CPyloneRM* p = arrPylones[down[k]];
            const vector3df prev =
                k == 0 ? worldPos(nodePoulieArrivee) : worldPos(arrPylones[down[k - 1]]->markerDescente);
            const vector3df next =
                k < m - 1 ? worldPos(arrPylones[down[k + 1]]->markerDescente) : worldPos(nodePoulieDepart);
            p->supportDescente = supportOrCompression(prev, worldPos(p->markerDescente), next);
            t->fin = ropePoint(p->markerDescente, p->supportDescente);
        } else {
            t->fin = worldPos(markerPoulieDepartDescente);
        }
        traceLine(t, "descente");
        debut = t->fin;
    }
    traceSeparator();
}

s32 CTKDebrayable::getPrevPyloneType6(s32 i) {
    for (s32 j = std::min(i, static_cast<s32>(arrPylones.size())) - 1; j >= 0; --j)
        if (arrPylones[j]->getTypePylone() == PYLONE_TKD) return j;
    return -1;
}

s32 CTKDebrayable::getNextPyloneType6(s32 i) {
    for (s32 j = std::max(i + 1, 0); j < static_cast<s32>(arrPylones.size()); ++j)
        if (arrPylones[j]->getTypePylone() == PYLONE_TKD) return j;
    return -1;
}

// ---- the pole and its queue ----

void CTKDebrayable::createVehicules() {
    CTronconRM* s1 = GetTronconByNumero(1);
    if (!s1) return;
    CVehicule* v = new CVehicule(smgr, driver);
    v->setType(VEHICULE_PERCHE_DEBRAYABLE);
    v->numtroncon = 1;
    v->placeGareTk = 0;
    v->progression = 0;
    v->create(s1->debut, vector3df(0, getRotation().Y, 0));
    arrVehicules.push_back(v);
    addPercheInGare(v);
}

s32 CTKDebrayable::countPerchesInGare() {
    s32 n = 0;
    for (u32 i = 0; i < arrVehicules.size(); ++i) {
        CTronconRM* t = GetTronconByNumero(arrVehicules[i]->numtroncon);
        if (t && t->getType() == TRONCON_GARETKD) ++n;
    }
    return n;
}

void CTKDebrayable::addPercheInGare(CVehicule* v) {
    const s32 n = countPerchesInGare();
    printf("add perche nb Perches = %i\n", n);
    v->placeGareTk = n > 0 ? n - 1 : 0;
}

void CTKDebrayable::lancePerche() {
    const s32 n = countPerchesInGare();
    printf("lance perche nb Perches dispos = %i\n", n);
    if (n == 0) return;
    for (u32 i = 0; i < arrVehicules.size(); ++i) {
        CVehicule* v = arrVehicules[i];
        printf("Perche %i - numtroncon=%i et placeGareTk = %i\n", static_cast<s32>(i), v->numtroncon, v->placeGareTk);
        if (v->numtroncon == 1 && v->placeGareTk == 0) {
            v->placeGareTk = -1;
            if (CTronconRM* s2 = GetTronconByNumero(2)) v->setPosition(s2->debut);
            v->numtroncon = 2;
            v->progression = 0;
            printf("perche %i lancee \n", static_cast<s32>(i));
        }
    }
    // The launched pole has left the station; the waiting ones move up.
    for (u32 i = 0; i < arrVehicules.size(); ++i) {
        CVehicule* v = arrVehicules[i];
        CTronconRM* t = GetTronconByNumero(v->numtroncon);
        if (t && t->getType() == TRONCON_GARETKD && v->placeGareTk > 0) --v->placeGareTk;
    }
}

void CTKDebrayable::placePerchesInGare() {
    for (u32 i = 0; i < arrVehicules.size(); ++i) {
        CVehicule* v = arrVehicules[i];
        CTronconRM* t = GetTronconByNumero(v->numtroncon);
        if (t && t->getType() == TRONCON_GARETKD && v->placeGareTk >= 0)
            v->progression = 0.9f - 0.1f * static_cast<f32>(v->placeGareTk);
    }
}

// ---- drawing and motion ----

core::array<core::line3df> CTKDebrayable::getRopeLines() {
    core::array<core::line3df> lines;
    if (!nodePoulieDepart || !nodePoulieArrivee) return lines;
    auto line = [&](const vector3df& a, const vector3df& b) { lines.push_back(core::line3df(a, b)); };
    const vector3df m1 = worldPos(markerPoulieDepartMontee), m2 = worldPos(markerGaletDepartMontee);
    const vector3df m3 = worldPos(markerGaletArriveeMontee), m4 = worldPos(markerPoulieArriveeMontee);
    const vector3df m5 = worldPos(markerPoulieArriveeDescente), m6 = worldPos(markerGaletArriveeDescente);
    const vector3df m7 = worldPos(markerGaletDepartDescente), m8 = worldPos(markerPoulieDepartDescente);
    if (arrPylones.empty()) {
        line(m1, m2);
        line(m8, m7);
        line(m2, m3);
        line(m7, m6);
        line(m3, m4);
        line(m6, m5);
        return lines;
    }
    vector3df from = m1;
    const core::array<s32> up = upLinePylons();
    for (u32 k = 0; k < up.size(); ++k) {
        CPyloneRM* p = arrPylones[up[k]];
        const vector3df to = ropePoint(p->markerMontee, p->supportMontee);
        line(from, to);
        from = to;
    }
    line(from, m3);
    const core::array<s32> down = downLinePylons();
    if (down.empty()) {
        line(m8, m6);
        return lines;
    }
    from = m6;
    for (u32 k = 0; k < down.size(); ++k) {
        CPyloneRM* p = arrPylones[down[k]];
        const vector3df to = ropePoint(p->markerDescente, p->supportDescente);
        line(from, to);
        from = to;
    }
    line(from, m8);
    return lines;
}

void CTKDebrayable::drawCables() {
    if (!nodePoulieDepart || !nodePoulieArrivee) return;
    drawRopeLines(driver, getRopeLines());
}

void CTKDebrayable::passToNextSegment(CVehicule* v) {
    passOn(v);
    CTronconRM* next = GetTronconByNumero(v->numtroncon);
    if (!next) return;
    // A wheel segment has no end point: start the next stretch where it begins.
    if (next->getType() == TRONCON_LIGNE || next->getType() == TRONCON_GARETKD) v->setPosition(next->debut);
    if (next->getType() == TRONCON_GARETKD) addPercheInGare(v);
}

void CTKDebrayable::stepOnWheel(CVehicule* v, CTronconRM* t, f32 dt) {
    const f32 yawDeg = nodeGareDepart->getRotation().Y;
    const f64 yaw = yawDeg * core::PI / 180.0f;
    const vector3df& c = t->centre;
    if (t->getType() == POULIEARRIVEE) {
        const f32 r =
            0.5f * (markerPoulieArriveeDescente->getPosition() - markerPoulieArriveeMontee->getPosition()).getLength() +
            1.4f;
        const f32 step = dt * vitesse * 5.0f / (r * core::PI);
        v->progression += step;
        turnAboutVertical(v, -step);
        // From the up line's side (M4) round the far side to the down line's (M5).
        const f64 theta = v->progression - yaw + core::HALF_PI;
        const f32 dy = worldPos(markerGaletArriveeDescente).Y - worldPos(markerGaletArriveeMontee).Y;
        v->setPosition(vector3df(static_cast<f32>(c.X + r * std::cos(theta)),
                                 c.Y + v->progression * dy / core::PI - dy / 2,
                                 static_cast<f32>(c.Z + r * std::sin(theta))));
        if (v->progression >= core::PI) {
            v->setRotation(vector3df(0, yawDeg + 180, 0));
            passToNextSegment(v);
        }
    } else {
        const f32 r =
            0.5f * (markerPoulieDepartDescente->getPosition() - markerPoulieDepartMontee->getPosition()).getLength() +
            0.6f;
        const f32 step = dt * vitesse * 4.0f / (r * core::PI);
        v->progression += step;
        turnAboutVertical(v, step);
        const f64 theta = (v->progression - core::PI) - yaw + core::HALF_PI;
        v->setPosition(vector3df(static_cast<f32>(c.X + r * std::cos(theta)), c.Y - 0.2f,
                                 static_cast<f32>(c.Z + r * std::sin(theta))));
        if (v->progression >= core::PI) {
            v->setRotation(vector3df(0, yawDeg, 0));
            passToNextSegment(v);
        }
    }
}

void CTKDebrayable::update(const vector3df* cameraPosition, f32 dt) {
    if (!nodePoulieDepart || !nodePoulieArrivee) return;
    if (!running) {
        if (built && sound && sound->isPlaying()) sound->stop();
        return;
    }

    const f32 a = dt * vitesse;
    spin(nodePoulieDepart, &vector3df::Y, -a * 50);
    spin(galetDepartDescente.node, &vector3df::Z, a * 51);
    spin(galetDepartMontee.node, &vector3df::Z, -a * 51);
    spin(galetArriveeMontee.node, &vector3df::Y, -a * 51);
    spin(galetArriveeDescente.node, &vector3df::Y, -a * 51);
    LiftScene::turnAboutOwnY(nodePoulieArrivee, a * 30);

    fadeMotorSound(cameraPosition, nodeGareDepart);

    for (u32 i = 0; i < arrPylones.size(); ++i) arrPylones[i]->animateGalets(a * 50);

    for (u32 i = 0; i < arrVehicules.size(); ++i) {
        CVehicule* v = arrVehicules[i];
        CTronconRM* t = GetTronconByNumero(v->numtroncon);
        if (!t) continue;
        switch (t->getType()) {
        case TRONCON_LIGNE:
            if (advanceOnLine(v, t, static_cast<f32>(1.4 * dt * vitesse))) passToNextSegment(v);
            break;
        case POULIEDEPART:
        case POULIEARRIVEE: stepOnWheel(v, t, dt); break;
        default:  // the station: the pole waits to be launched
            break;
        }
    }
}
