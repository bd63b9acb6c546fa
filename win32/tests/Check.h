#pragma once
#include <cstdio>

// GoogleTest is not built for MinGW here. Each group returns its failures.
struct Check_Count {
    int Failures = 0;
};

#define CHECK(Count, Cond)                                                                         \
    do {                                                                                           \
        if (!(Cond)) {                                                                             \
            ++(Count).Failures;                                                                    \
            std::printf("%s:%d: failed: %s\n", __FILE__, __LINE__, #Cond);                         \
        }                                                                                          \
    } while (0)
