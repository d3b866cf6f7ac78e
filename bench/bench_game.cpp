// The real game window (OpenGL, 1280x960) on the default map, driven through
// its frame step: start-up from the map choice to the first frame drawn, the
// frame rate of the bare map, then of the same map with 10 running lifts of
// mixed kinds and 300 trees in view, and the peak resident size of that scene.
// Run in the game's runtime folder (argument 1; argument 2: seconds per frame
// rate, default 5) on an X display; prints key=value lines.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>
#include <GL/gl.h>
#include "CArbre.h"
#include "CDynamicCamera.h"
#include "CMainWindow.h"
#include "CMap.h"
#include "CStation.h"
#include "LiftRig.h"
#include "QuietStdout.h"

using namespace irr;
using core::vector3df;
using Clock = std::chrono::steady_clock;

namespace {

double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

double threadSeconds() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

struct Rate {
    double fps;
    double busy;    // share of the wall time the game's own thread was running
    u32 triangles;  // drawn in the last frame
    u32 drawCalls;  // mesh buffers drawn in the last frame
};

// Mesh buffers the last frame drew: one draw call each, for every visible
// node the camera did not cull (other nodes count one per material).
u32 buffersDrawn(scene::ISceneManager* smgr, scene::ISceneNode* node) {
    u32 n = 0;
    for (scene::ISceneNode* child : node->getChildren()) {
        if (!child->isVisible()) continue;
        n += buffersDrawn(smgr, child);
        if (child == smgr->getActiveCamera() || smgr->isCulled(child)) continue;
        scene::IMesh* mesh = nullptr;
        if (child->getType() == scene::ESNT_MESH) mesh = static_cast<scene::IMeshSceneNode*>(child)->getMesh();
        if (mesh) {
            for (u32 i = 0; i < mesh->getMeshBufferCount(); ++i)
                if (mesh->getMeshBuffer(i)->getIndexCount() > 0) ++n;
        } else if (child->getType() != scene::ESNT_EMPTY) {
            n += child->getMaterialCount();
        }
    }
    return n;
}

// Frames per second of wall time over at least `minSeconds` and 60 frames,
// with frame times from the device timer as the game's own loop takes them.
Rate frameRate(CMainWindow& game, double minSeconds) {
    ITimer* timer = game.device->getTimer();
    u32 then = timer->getTime();
    for (int i = 0; i < 20 && game.device->run(); ++i) {  // warm-up
        const u32 now = timer->getTime();
        game.frameStep((now - then) * 0.001f);
        then = now;
    }
    const Clock::time_point start = Clock::now();
    const double cpu = threadSeconds();
    u32 frames = 0;
    double elapsed = 0;
    while ((elapsed < minSeconds || frames < 60) && game.device->run()) {
        const u32 now = timer->getTime();
        game.frameStep((now - then) * 0.001f);
        then = now;
        ++frames;
        elapsed = seconds(start, Clock::now());
    }
    scene::ISceneManager* smgr = game.device->getSceneManager();
    return {frames / elapsed, (threadSeconds() - cpu) / elapsed,
            game.device->getVideoDriver()->getPrimitiveCountDrawn(), buffersDrawn(smgr, smgr->getRootSceneNode())};
}

long statusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, strlen(key), key) == 0) return atol(line.c_str() + strlen(key) + 1);
    return -1;
}

// 10 running lifts (4 fixed-grip surface lifts and 3 chairlifts with 6 pylons
// each, 3 detachable surface lifts) and 300 trees round the first station,
// where the starting camera looks.
void loadScene(CMainWindow& game) {
    CMap* map = game.map;
    scene::ISceneManager* smgr = game.device->getSceneManager();
    video::IVideoDriver* driver = game.device->getVideoDriver();
    const vector3df centre = map->arrStations[0]->getPosition();
    auto ground = [map](f32 x, f32 z) { return map->GetHeight(vector3df(x, 0, z), 9000); };
    const s32 kinds[3] = {REMONTEE_TKFIXE, REMONTEE_TSFIXE, REMONTEE_TKDEBRAYABLE};
    for (u32 i = 0; i < 10; ++i) {
        const s32 kind = kinds[i % 3];
        const f32 x = centre.X - 450 + 100 * i, z = centre.Z - 200 + 40 * (i % 3);
        const vector3df bottom(x, ground(x, z), z), top(x + 60, ground(x + 60, z + 700), z + 700);
        const u32 pylons = kind == REMONTEE_TKDEBRAYABLE ? 0 : 6;
        map->arrRemontees.push_back(
            LiftRig::build(kind, smgr, driver, bottom, top, pylons, map->arrRemontees.size(), ground));
    }
    std::mt19937 rng(42);
    std::uniform_real_distribution<f32> dx(-600, 600), dz(-400, 900);
    for (u32 i = 0; i < 300; ++i) {
        const f32 x = centre.X + dx(rng), z = centre.Z + dz(rng);
        CArbre* tree = new CArbre(smgr, driver);
        tree->setPosition(vector3df(x, ground(x, z), z));
        tree->createNode();
        tree->setName(core::stringc("arbre") + core::stringc(i + 1));
        map->arrArbres.push_back(tree);
    }
}

// BENCH_SHOT=<prefix>: the loaded scene as measured, then close views of its
// lifts, written as <prefix>close-<n>.png for a human to compare meshes before and after. The
// back buffer is read before the swap (a screenshot after it is black under Xvfb).
void closeUps(CMainWindow& game, const char* prefix) {
    video::IVideoDriver* driver = game.device->getVideoDriver();
    const core::dimension2d<u32> size = driver->getScreenSize();
    std::vector<u8> rgba(size.Width * size.Height * 4);
    int n = 0;
    auto shoot = [&](const vector3df& target, const vector3df& eye) {
        if (n > 0) {
            game.camera->setPosition(eye);
            game.camera->setTarget(target);
            game.camera->updateAbsolutePosition();
        }
        game.device->run();
        game.drawFrame(0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, size.Width, size.Height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        game.endFrame();
        video::IImage* img = driver->createImage(video::ECF_A8R8G8B8, size);
        for (u32 y = 0; y < size.Height; ++y)
            for (u32 x = 0; x < size.Width; ++x) {
                const u8* px = &rgba[((size.Height - 1 - y) * size.Width + x) * 4];
                img->setPixel(x, y, video::SColor(255, px[0], px[1], px[2]));
            }
        driver->writeImageToFile(img, (core::stringc(prefix) + "close-" + core::stringc(n++) + ".png").c_str());
        img->drop();
    };
    shoot(vector3df(), vector3df());  // the loaded scene as the benchmark sees it
    CMap* map = game.map;
    // The first lift of each kind: its bottom terminal, then its second pylon's head.
    for (u32 i = 0; i < 3 && i < map->arrRemontees.size(); ++i) {
        CRemontee* lift = map->arrRemontees[i];
        const vector3df bottom = lift->getPositionDepart() + vector3df(0, 6, 0);
        shoot(bottom, bottom + vector3df(-14, 6, 16));
        if (lift->arrPylones.size() > 1) {
            const vector3df head = lift->arrPylones[1]->getPosition() + vector3df(0, 12, 0);
            shoot(head, head + vector3df(-9, 2, 6));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && chdir(argv[1]) != 0) {
        perror(argv[1]);
        return 1;
    }
    const double minSeconds = argc > 2 ? atof(argv[2]) : 5.0;
    double startup;
    Rate bare, loaded;
    long peakKb;
    {
        QuietStdout quiet;
        const Clock::time_point chosen = Clock::now();
        CMainWindow game(false, true, false, false, false, false, video::EDT_OPENGL, L"1280x960");
        game.setMap("ecrins.map");
        if (!game.startUp()) return 1;
        game.device->run();
        game.frameStep(0);
        startup = seconds(chosen, Clock::now());
        bare = frameRate(game, minSeconds);
        loadScene(game);
        loaded = frameRate(game, minSeconds);
        peakKb = statusKb("VmHWM:");
        if (const char* prefix = getenv("BENCH_SHOT")) closeUps(game, prefix);
        game.shutDown();
    }
    printf("startup_s=%.3f\nfps_bare=%.1f\nfps_loaded=%.1f\nrss_peak_mb=%.1f\n"
           "triangles_bare=%u\ntriangles_loaded=%u\ndraw_calls_bare=%u\ndraw_calls_loaded=%u\n"
           "main_thread_busy_bare=%.2f\nmain_thread_busy_loaded=%.2f\n",
           startup, bare.fps, loaded.fps, peakKb / 1024.0, bare.triangles, loaded.triangles, bare.drawCalls,
           loaded.drawCalls, bare.busy, loaded.busy);
    return 0;
}
