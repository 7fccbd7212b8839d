// Reading a whole file, for the driver and the fake ffmpeg alike (the fake links nothing of the driver's).
#pragma once

#include <cstdio>
#include <string>

inline std::string ReadWholeFile(const std::string& path) {
    std::string data;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
        std::fclose(f);
    }
    return data;
}
