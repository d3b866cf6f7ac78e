// One scripted session of the real program on the X display: the launcher's
// "Commencer" and "Ok", then in the game window a lift of each kind built
// through the menus with real X clicks (xdotool), then "Menu" and "Quitter".
#include <gtest/gtest.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include "TempDir.h"

namespace {

int slowdown = 1;   // the sanitizer build runs the game several times slower
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

// The id of the first visible window whose title matches, waiting up to 30 s.
std::string waitForWindow(const std::string& title) {
    for (int i = 0; i < 300 * slowdown; ++i) {
        std::string id = run("xdotool search --onlyvisible --name '" + title + "' 2>/dev/null | head -1");
        if (!id.empty()) return id.substr(0, id.find('\n'));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return "";
}

// A process of ours, killed with the test whatever way the test ends.
struct Child {
    pid_t pid = -1;
    ~Child() {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, 0, 0);
        }
    }
};

// A display of the test's own: the clicks must reach no other test's window.
bool startDisplay(Child& server) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    server.pid = fork();
    if (server.pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               (char*)0);
        _exit(99);
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
    bool black(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return false;
        const unsigned char* p = (const unsigned char*)&rgb[(y * width + x) * 3];
        return p[0] < 10 && p[1] < 10 && p[2] < 10;   // the rope is drawn pure black
    }
    int changed(const Shot& o, int x0, int y0, int x1, int y1) const {
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
    const std::string geometry = run("xdotool getwindowgeometry --shell " + window);
    std::ofstream("grab.py") << "import sys\nfrom PIL import ImageGrab\n"
                                "g = dict(l.split('=') for l in sys.argv[1].split())\n"
                                "x, y, w, h = (int(g[k]) for k in ('X', 'Y', 'WIDTH', 'HEIGHT'))\n"
                                "im = ImageGrab.grab(bbox=(x, y, x + w, y + h)).convert('RGB')\n"
                                "open('shot.rgb', 'wb').write(im.tobytes())\nprint(w, h)\n"
                                "import os\nif os.environ.get('GW_SHOT'): im.save(os.environ['GW_SHOT'])\n";
    std::istringstream size(run("/usr/bin/python3 grab.py '" + geometry + "'"));
    Shot s;
    size >> s.width >> s.height;
    std::ifstream in("shot.rgb", std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    s.rgb = ss.str();
    if (s.rgb.size() != (size_t)s.width * s.height * 3) s.width = s.height = 0;
    return s;
}

// A loaded machine can make one X query fail (BadWindow while the window is
// busy): try a few times before giving up.
Shot grab(const std::string& window) {
    Shot s;
    for (int attempt = 0; attempt < 5 && s.width == 0; ++attempt) {
        if (attempt) pause(300);
        s = grabOnce(window);
    }
    return s;
}

bool exited(pid_t pid, int& status, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid) return true;
        pause(100);
    }
    return false;
}

} // namespace

TEST(GameSession, BuildsEachKindOfLiftThenQuits) {
    if (system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is needed";
    if (system("command -v Xvfb >/dev/null 2>&1") != 0) GTEST_SKIP() << "Xvfb is needed";
    Child server;
    ASSERT_TRUE(startDisplay(server)) << "no display of our own";
    const std::string game = TempDir::runtimeDir() + "/travondel";
    TempDir tmp;
    tmp.copyDefaultMaps();
    tmp.writeFile("settings.xml",
                  "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<mygame>\n<video>\n"
                  "<setting name=\"fullscreen\" value=\"0\"></setting>\n"
                  "<setting name=\"resolution\" value=\"800x600\"></setting>\n</video>\n</mygame>\n");

    // Mesa unloads its driver before the leak check at exit; kept loaded, the
    // suppressions for what it keeps can name it.
    std::string preload;
    const std::string asan = run("ldd '" + game + "' | awk '/libasan/ {print $3}'");
    if (!asan.empty()) {
        preload = asan.substr(0, asan.find('\n')) + " /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so";
        slowdown = 3;
    }

    Child gameProcess;
    const pid_t pid = gameProcess.pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (!freopen("out.txt", "w", stdout) || !freopen("err.txt", "w", stderr)) _exit(98);
        if (!preload.empty()) setenv("LD_PRELOAD", preload.c_str(), 1);
        execl(game.c_str(), game.c_str(), (char*)0);
        _exit(99);
    }

    const std::string launcher = waitForWindow("^Travondel1");
    ASSERT_FALSE(launcher.empty()) << "no launcher window";
    pause(500);
    click(launcher, 165, 192);   // "Commencer"
    click(launcher, 250, 210);   // "Ok" of "Choisir une Map"

    const std::string w = waitForWindow("^Travondel - v0.0.1");
    ASSERT_FALSE(w.empty()) << "no game window";
    pause(1500);
    const bool canGrab = system("/usr/bin/python3 -c 'from PIL import ImageGrab' 2>/dev/null") == 0;
    const Shot before = canGrab ? grab(w) : Shot();
    struct Kind { int button; int x; bool pylons; };
    const Kind kinds[] = {{110, 200, true}, {180, 320, true}, {145, 560, false}};  // clear of the village chalet
    for (const Kind& k : kinds) {
        click(w, 42, 22);          // "Construire"
        click(w, 105, 110);        // "Nouvelle remontee"
        click(w, 310, k.button);   // the kind
        click(w, k.x, 470);        // bottom terminal
        click(w, k.x, 330);        // top terminal
        if (k.pylons) {
            click(w, 175, 110);    // "Ajouter pylone"
            click(w, 495, 240);    // "Valider" (the window moved inside 800 pixels)
            click(w, 325, 110);    // "Terminer remontee" / "Terminer pylone"
        }
    }
    pause(1000);
    if (canGrab) {
        // Where the clicks placed them: terminals at both ends of each line,
        // a black rope between, and something moving along the fixed-grip
        // lifts (their carriers are a pixel or two from this far).
        const Shot built = grab(w);
        pause(1500);
        if (getenv("GW_SHOT")) setenv("GW_SHOT", (std::string(getenv("GW_SHOT")) + ".later.png").c_str(), 1);
        const Shot later = grab(w);
        ASSERT_EQ(before.width, 800);
        ASSERT_EQ(built.width, 800);
        ASSERT_EQ(later.width, 800);
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
    click(w, 765, 22);    // "Menu"
    click(w, 695, 145);   // "Quitter", the menu moved inside 800 pixels

    int status = 0;
    ASSERT_TRUE(exited(pid, status, 30 * slowdown)) << "the game did not end after Quitter";
    gameProcess.pid = -1;
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    std::ifstream in("out.txt");
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string out = ss.str();
    const char* expected[] = {"found 800x600 \n", "Camera 8000.000000", "Place depart TK Fixe\n",
                              "clickTerrainCoordinates TKFDepart: ", "clickTerrainCoordinates TKFArrivee: ",
                              "Place pylone TKF ", "Place depart TSF2 Fixe\n", "clickTerrainCoordinates TSF2Arrivee: ",
                              "Place pylone TSF2 ", "Place depart TK Debrayable\n",
                              "clickTerrainCoordinates TKDArrivee: ", "update troncon at tkd arrivee build\n"};
    for (const char* e : expected) EXPECT_NE(out.find(e), std::string::npos) << e;
}
