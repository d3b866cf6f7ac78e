// A program run as a child process for a test, its standard output and error
// written to files in the current folder, so that a test that fails can say
// how the program ended and show what it printed last. The child is killed
// with the object if it still runs.
#pragma once
#include <sys/types.h>
#include <string>
#include <vector>

class GameProcess {
public:
    // The files are <name>.out.txt and <name>.err.txt in the current folder.
    explicit GameProcess(const std::string& name = "game");
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // Extra environment for the child, set before it starts ("NAME=value").
    void setEnv(const std::string& nameValue) { env.push_back(nameValue); }
    // Starts argv[0] with its output unbuffered (through stdbuf when there is
    // one), so that trace lines reach the file as they are printed.
    bool start(const std::vector<std::string>& argv);

    pid_t pid() const { return child; }
    bool running();
    // Waits for the end up to `ms` milliseconds; true once it has ended.
    bool waitExit(int ms);
    int status() const { return waitStatus; }  // waitpid's, once ended
    // "still running", "exited with status N" or "killed by signal N (NAME)".
    std::string describeExit();

    std::string output() const;  // all of standard output so far
    std::string errors() const;  // all of standard error so far
    // Waits up to `ms` milliseconds for `text` in standard output at or after
    // `from`; returns the position just past it, or npos (also when the child
    // ended without printing it).
    size_t waitForOutput(const std::string& text, size_t from, int ms);

    // Status and the last lines of both streams, for a failure message.
    std::string report(size_t lines = 40);

    // The last `lines` lines of a text.
    static std::string tail(const std::string& text, size_t lines);

private:
    std::string outPath, errPath;
    std::vector<std::string> env;
    pid_t child = -1;
    bool ended = false;
    int waitStatus = 0;
};
