#pragma once
#include <string_view>

// Failures the program recovers from, for whoever debugs it: where and what, never slot text.
struct Trace {
    virtual ~Trace() = default;
    virtual void Failure(std::string_view Where, std::string_view What) = 0;
};
