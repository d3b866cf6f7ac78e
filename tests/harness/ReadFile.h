// A whole file as bytes: what a test reads back after the code under test wrote it.
#pragma once
#include <fstream>
#include <iterator>
#include <string>

// Empty when the file cannot be read.
inline std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
