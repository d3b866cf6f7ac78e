// One scripted session of the real program on the X display: the launcher's
// "Commencer" and "Ok", then in the game window a lift of each kind built
// through the menus with real X clicks (xdotool), then "Menu" and "Quitter".
#include <gtest/gtest.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include "GameProcess.h"
#include "ReadFile.h"
#include "TempDir.h"

namespace {

int slowdown = 1;  // the sanitizer build runs the game several times slower
void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms * slowdown)); }

std::string run(const std::string& cmd) {
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    char buf[256];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
    return out;
}

// Repeats `done` every 100 ms until it holds or `seconds` (times the slowdown) have passed.
template <class F>
bool poll(int seconds, F done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds * slowdown);
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

// A display of the test's own: the clicks must reach no other test's window.
// Without -noreset the server resets when its last client goes, which happens
// between the launcher's window and the game's.
bool startDisplay(GameProcess& server) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const bool started = server.start({"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                       "1024x768x24", "-nolisten", "tcp", "-noreset"});
    if (!started) {
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) return false;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}

// Moves the pointer into the window, lets the program see it, then clicks.
void click(const std::string& window, int x, int y) {
    run("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y));
    pause(150);
    run("xdotool click 1");
    pause(250);
}

// The window's pixels, as rows of RGB bytes (read back from the X server).
struct Shot {
    int width = 0, height = 0;
    std::string rgb;
    std::string error;  // why there are no pixels
    bool black(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return false;
        const unsigned char* p = (const unsigned char*)&rgb[(y * width + x) * 3];
        return p[0] < 10 && p[1] < 10 && p[2] < 10;  // the rope is drawn pure black
    }
    int changed(const Shot& o, int x0, int y0, int x1, int y1) const {
        if (width == 0 || o.width != width || o.height != height) return 0;
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                for (int c = 0; c < 3; ++c) {
                    const size_t i = (y * width + x) * 3 + c;
                    if (abs((unsigned char)rgb[i] - (unsigned char)o.rgb[i]) > 8) {
                        ++n;
                        break;
                    }
                }
        return n;
    }
};

Shot grabOnce(const std::string& window) {
    const std::string geometry = run("xdotool getwindowgeometry --shell " + window + " 2>&1");
    std::ofstream("grab.py") << "import sys\nfrom PIL import ImageGrab\n"
                                "g = dict(l.split('=') for l in sys.argv[1].split())\n"
                                "x, y, w, h = (int(g[k]) for k in ('X', 'Y', 'WIDTH', 'HEIGHT'))\n"
                                "im = ImageGrab.grab(bbox=(x, y, x + w, y + h)).convert('RGB')\n"
                                "open('shot.rgb', 'wb').write(im.tobytes())\nprint(w, h)\n"
                                "import os\nif os.environ.get('GW_SHOT'): im.save(os.environ['GW_SHOT'])\n";
    std::remove("shot.rgb");
    const std::string said = run("/usr/bin/python3 grab.py '" + geometry + "' 2>&1");
    std::istringstream size(said);
    Shot s;
    size >> s.width >> s.height;
    s.rgb = readWholeFile("shot.rgb");
    if (s.rgb.size() != (size_t)s.width * s.height * 3) {
        s.width = s.height = 0;
        s.error = "xdotool said: " + geometry + "grab said: " + GameProcess::tail(said, 3);
    }
    return s;
}

}  // namespace

class GameSession : public ::testing::Test {
protected:
    TempDir tmp;  // the test's folder, the game's output files in it
    GameProcess server{"xvfb"};
    GameProcess game;

    // Whatever failed, the CI log shows how the game ended and what it printed.
    void TearDown() override {
        if (!HasFailure() || server.pid() <= 0) return;
        const bool answers = system("timeout 10 xdotool getdisplaygeometry >/dev/null 2>&1") == 0;
        std::ostringstream r;
        r << "The game session failed.\n" << game.report();
        r << "The X server " << (server.running() ? "runs" : "has gone") << " and "
          << (answers ? "answers" : "does not answer") << "\n";
        const std::string xvfb = server.errors();
        if (!xvfb.empty())
            r << "--- last lines of the X server's standard error ---\n" << GameProcess::tail(xvfb, 20) << "\n";
        std::cerr << r.str() << std::flush;
    }

    // The id of the first visible window whose title matches, waiting up to 30 s
    // while the game runs.
    std::string waitForWindow(const std::string& title) {
        std::string id;
        poll(30, [&] {
            id = run("xdotool search --onlyvisible --name '" + title + "' 2>/dev/null | head -1");
            return !id.empty() || !game.running();
        });
        return id.substr(0, id.find('\n'));
    }

    // Waits for a trace line after the ones waited for so far.
    bool traced(const std::string& text) {
        const size_t at = game.waitForOutput(text, seen, 30 * 1000 * slowdown);
        if (at == std::string::npos) return false;
        seen = at;
        return true;
    }

    // A loaded machine can make one X query fail (BadWindow while the window is
    // busy): try a few times while the game runs before giving up.
    Shot grab(const std::string& window) {
        Shot s;
        for (int attempt = 0; attempt < 5 && s.width == 0; ++attempt) {
            if (!game.running()) {
                s.error = "the game " + game.describeExit() + " (" + s.error + ")";
                return s;
            }
            if (attempt) pause(300);
            s = grabOnce(window);
        }
        if (s.width == 0) s.error = "the game is " + game.describeExit() + "; " + s.error;
        return s;
    }

    size_t seen = 0;
};

TEST_F(GameSession, BuildsEachKindOfLiftThenQuits) {
    if (system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is needed";
    if (system("command -v Xvfb >/dev/null 2>&1") != 0) GTEST_SKIP() << "Xvfb is needed";
    ASSERT_TRUE(startDisplay(server)) << "no display of our own";
    const std::string program = TempDir::runtimeDir() + "/travondel";
    tmp.copyDefaultMaps();
    tmp.writeFile("settings.xml", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<mygame>\n<video>\n"
                                  "<setting name=\"fullscreen\" value=\"0\"></setting>\n"
                                  "<setting name=\"resolution\" value=\"800x600\"></setting>\n</video>\n</mygame>\n");

    // Mesa unloads its driver before the leak check at exit; kept loaded, the
    // suppressions for what it keeps can name it.
    const std::string asan = run("ldd '" + program + "' | awk '/libasan/ {print $3}'");
    if (!asan.empty()) {
        game.setEnv("LD_PRELOAD=" + asan.substr(0, asan.find('\n')) + " /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so");
        slowdown = 3;
    }
    ASSERT_TRUE(game.start({program})) << "cannot start " << program;

    const std::string launcher = waitForWindow("^Travondel1");
    ASSERT_FALSE(launcher.empty()) << "no launcher window; the game " << game.describeExit();
    click(launcher, 165, 192);  // "Commencer"
    click(launcher, 250, 210);  // "Ok" of "Choisir une Map"

    const std::string w = waitForWindow("^Travondel - v0.0.1");
    ASSERT_FALSE(w.empty()) << "no game window; the game " << game.describeExit();
    ASSERT_TRUE(traced("Camera 8000.000000")) << "the game window never finished starting";
    const bool canGrab = system("/usr/bin/python3 -c 'from PIL import ImageGrab' 2>/dev/null") == 0;
    // The first frames still move (the camera settles on the ground): the
    // picture to compare with is the first that two grabs in a row agree on.
    Shot before = canGrab ? grab(w) : Shot();
    if (canGrab) {
        poll(20, [&] {
            const Shot next = grab(w);
            const bool still = next.width > 0 && next.changed(before, 0, 0, next.width, next.height) < 50;
            before = next;
            return still || next.width == 0;
        });
        ASSERT_EQ(before.width, 800) << before.error;
    }
    // The trace lines each step prints once the game has taken the click.
    struct Kind {
        int button;
        int x;
        bool pylons;
        const char* traces[4];
    };
    const Kind kinds[] = {
        // clear of the village chalet
        {110,
         200,
         true,
         {"Place depart TK Fixe\n",
          "clickTerrainCoordinates TKFDepart: ", "clickTerrainCoordinates TKFArrivee: ", "Place pylone TKF "}},
        {180,
         320,
         true,
         {"Place depart TSF2 Fixe\n",
          "clickTerrainCoordinates TSF2Depart: ", "clickTerrainCoordinates TSF2Arrivee: ", "Place pylone TSF2 "}},
        {145,
         560,
         false,
         {"Place depart TK Debrayable\n", "",
          "clickTerrainCoordinates TKDArrivee: ", "update troncon at tkd arrivee build\n"}}};
    auto step = [&](const char* trace) {
        if (*trace) {
            EXPECT_TRUE(traced(trace)) << "no \"" << trace << "\"; the game " << game.describeExit();
        }
        return !HasFailure();
    };
    for (const Kind& k : kinds) {
        click(w, 42, 22);         // "Construire"
        click(w, 105, 110);       // "Nouvelle remontee"
        click(w, 310, k.button);  // the kind
        ASSERT_TRUE(step(k.traces[0]));
        click(w, k.x, 470);  // bottom terminal
        ASSERT_TRUE(step(k.traces[1]));
        click(w, k.x, 330);  // top terminal
        ASSERT_TRUE(step(k.traces[2]));
        if (k.pylons) {
            click(w, 175, 110);  // "Ajouter pylone"
            ASSERT_TRUE(step(k.traces[3]));
            click(w, 495, 240);  // "Valider" (the window moved inside 800 pixels)
            click(w, 325, 110);  // "Terminer remontee" / "Terminer pylone"
        } else {
            ASSERT_TRUE(step(k.traces[3]));
        }
    }
    if (canGrab) {
        // Where the clicks placed them: terminals at both ends of each line,
        // a black rope between, and something moving along the fixed-grip
        // lifts (their carriers are a pixel or two from this far).
        const Kind& last = kinds[2];
        Shot built;
        poll(20, [&] {  // until the last lift's top terminal is drawn
            built = grab(w);
            return built.width == 0 || built.changed(before, last.x - 15, 315, last.x + 16, 346) > 5;
        });
        ASSERT_EQ(built.width, 800) << built.error;
        if (getenv("GW_SHOT")) setenv("GW_SHOT", (std::string(getenv("GW_SHOT")) + ".later.png").c_str(), 1);
        Shot later;
        poll(20, [&] {  // until the carriers of every fixed-grip lift have moved
            later = grab(w);
            bool moved = true;
            for (const Kind& k : kinds)
                if (k.pylons) moved = moved && later.changed(built, k.x - 20, 330, k.x + 21, 480) > 0;
            return moved || later.width == 0;
        });
        ASSERT_EQ(before.width, 800);
        ASSERT_EQ(built.width, 800);
        ASSERT_EQ(later.width, 800) << later.error;
        for (const Kind& k : kinds) {
            SCOPED_TRACE(k.x);
            EXPECT_GT(built.changed(before, k.x - 15, 455, k.x + 16, 486), 20);
            EXPECT_GT(built.changed(before, k.x - 15, 315, k.x + 16, 346), 5);
            for (int y = 370; y <= 430; y += 30) {
                bool rope = false;
                for (int x = k.x - 15; x <= k.x + 15; ++x) rope = rope || (built.black(x, y) && !before.black(x, y));
                EXPECT_TRUE(rope) << "no rope at row " << y;
            }
            if (k.pylons) {
                EXPECT_GT(later.changed(built, k.x - 20, 330, k.x + 21, 480), 0) << "carriers stand still";
            }
        }
    }
    click(w, 765, 22);   // "Menu"
    click(w, 695, 145);  // "Quitter", the menu moved inside 800 pixels

    ASSERT_TRUE(game.waitExit(30 * 1000 * slowdown)) << "the game did not end after Quitter";
    const int status = game.status();
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    const std::string out = game.output();
    const char* expected[] = {"found 800x600 \n",
                              "Camera 8000.000000",
                              "Place depart TK Fixe\n",
                              "clickTerrainCoordinates TKFDepart: ",
                              "clickTerrainCoordinates TKFArrivee: ",
                              "Place pylone TKF ",
                              "Place depart TSF2 Fixe\n",
                              "clickTerrainCoordinates TSF2Arrivee: ",
                              "Place pylone TSF2 ",
                              "Place depart TK Debrayable\n",
                              "clickTerrainCoordinates TKDArrivee: ",
                              "update troncon at tkd arrivee build\n"};
    for (const char* e : expected) EXPECT_NE(out.find(e), std::string::npos) << e;
}
