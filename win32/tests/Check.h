#pragma once
#include <cstdio>

// GoogleTest is not built for MinGW here. A failed check names its line.
struct Check_Count {
    int Failures = 0;
};
#define CHECK(Count, Cond)                                                                         \
    ((Cond) ? void()                                                                               \
            : (void)(++(Count).Failures, std::printf("%s:%d: %s\n", __FILE__, __LINE__, #Cond)))
