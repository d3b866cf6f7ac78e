// Sends standard output to /dev/null while it lives: the game's trace lines
// would drown the benchmark figures.
#pragma once
#include <cstdio>
#include <unistd.h>

struct QuietStdout {
    QuietStdout() {
        fflush(stdout);
        saved = dup(1);
        FILE* null = fopen("/dev/null", "w");
        dup2(fileno(null), 1);
        fclose(null);
    }
    ~QuietStdout() {
        fflush(stdout);
        dup2(saved, 1);
        close(saved);
    }
    int saved;
};
