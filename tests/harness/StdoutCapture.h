// Captures what the code prints to standard output (trace lines) between
// start() and stop(). Works for printf and std::cout alike.
#pragma once
#include <string>

class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    void start();
    std::string stop();

private:
    int savedFd = -1;
    std::string path;
};
