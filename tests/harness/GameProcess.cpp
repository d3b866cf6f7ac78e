#include "GameProcess.h"
#include "ReadFile.h"
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

bool executable(const char* path) { return access(path, X_OK) == 0; }

}  // namespace

GameProcess::GameProcess(const std::string& name) : outPath(name + ".out.txt"), errPath(name + ".err.txt") {}

GameProcess::~GameProcess() {
    if (running()) {
        kill(child, SIGKILL);
        waitpid(child, 0, 0);
    }
}

bool GameProcess::start(const std::vector<std::string>& argv) {
    if (argv.empty() || child > 0) return false;
    std::vector<std::string> args;
    // The program's stdio buffers a file in blocks: a test waiting for a line
    // would wait for the program's exit.
    if (executable("/usr/bin/stdbuf")) args = {"/usr/bin/stdbuf", "-o0", "-e0"};
    args.insert(args.end(), argv.begin(), argv.end());
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0) {
        if (out >= 0) close(out);
        if (err >= 0) close(err);
        return false;
    }
    fflush(stdout);
    fflush(stderr);
    child = fork();
    if (child == 0) {
        dup2(out, 1);
        dup2(err, 2);
        for (const std::string& e : env) putenv(strdup(e.c_str()));
        std::vector<char*> cargv;
        for (const std::string& a : args) cargv.push_back(const_cast<char*>(a.c_str()));
        cargv.push_back(nullptr);
        execv(cargv[0], cargv.data());
        fprintf(stderr, "cannot run %s: %s\n", cargv[0], strerror(errno));
        _exit(127);
    }
    close(out);
    close(err);
    return child > 0;
}

bool GameProcess::running() {
    if (child <= 0 || ended) return false;
    if (waitpid(child, &waitStatus, WNOHANG) == child) ended = true;
    return !ended;
}

bool GameProcess::waitExit(int ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (running()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return child > 0;
}

std::string GameProcess::describeExit() {
    if (child <= 0) return "never started";
    if (running()) return "still running";
    if (WIFSIGNALED(waitStatus)) {
        const int sig = WTERMSIG(waitStatus);
        const char* name = sigabbrev_np(sig);
        return "killed by signal " + std::to_string(sig) + " (SIG" + (name ? name : "?") + ")";
    }
    return "exited with status " + std::to_string(WEXITSTATUS(waitStatus));
}

std::string GameProcess::output() const { return readWholeFile(outPath); }
std::string GameProcess::errors() const { return readWholeFile(errPath); }

size_t GameProcess::waitForOutput(const std::string& text, size_t from, int ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        // Read before checking for the end: the last lines come before the exit.
        const bool alive = running();
        const std::string out = output();
        const size_t at = from <= out.size() ? out.find(text, from) : std::string::npos;
        if (at != std::string::npos) return at + text.size();
        if (!alive || std::chrono::steady_clock::now() >= deadline) return std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string GameProcess::tail(const std::string& text, size_t lines) {
    size_t pos = text.size();
    if (pos > 0 && text[pos - 1] == '\n') --pos;  // the last line's own newline
    for (size_t n = 0; n < lines; ++n) {
        const size_t nl = pos > 0 ? text.rfind('\n', pos - 1) : std::string::npos;
        if (nl == std::string::npos) return text;
        pos = nl;
    }
    return text.substr(pos + 1);
}

std::string GameProcess::report(size_t lines) {
    std::ostringstream r;
    r << "the program " << describeExit() << "\n";
    r << "--- last lines of its standard error ---\n" << tail(errors(), lines) << "\n";
    r << "--- last lines of its standard output ---\n" << tail(output(), lines) << "\n";
    return r.str();
}
