#include "StdoutCapture.h"
#include "ReadFile.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

StdoutCapture::StdoutCapture() {}

StdoutCapture::~StdoutCapture() {
    if (savedFd >= 0) stop();
}

void StdoutCapture::start() {
    if (savedFd >= 0) return;
    char tmpl[] = "/tmp/travondel-stdout-XXXXXX";
    int fd = mkstemp(tmpl);
    if (fd < 0) return;
    path = tmpl;
    std::cout.flush();
    fflush(stdout);
    savedFd = dup(1);
    dup2(fd, 1);
    close(fd);
}

std::string StdoutCapture::stop() {
    if (savedFd < 0) return std::string();
    std::cout.flush();
    fflush(stdout);
    dup2(savedFd, 1);
    close(savedFd);
    savedFd = -1;
    const std::string text = readWholeFile(path);
    unlink(path.c_str());
    // gtest prints failures to stdout too: never swallow them.
    if (::testing::Test::HasFailure()) fprintf(stderr, "--- captured stdout ---\n%s--- end ---\n", text.c_str());
    return text;
}
