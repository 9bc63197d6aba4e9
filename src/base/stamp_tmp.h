#pragma once
#include <cstdio>
#include <cstdlib>
#include <ctime>
inline void stamp(const char* what)
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const char* t0 = std::getenv("STIRPA_T0");
    double ms = (now.tv_sec * 1e9 + now.tv_nsec - (t0 ? std::atof(t0) : 0)) / 1e6;
    std::fprintf(stderr, "%8.2f %s\n", ms, what);
}
