#pragma once
#include <string_view>

// Failures the program recovers from, for whoever debugs it: where and what, never slot text.
struct Trace {
    virtual ~Trace() = default;
    virtual void Failure(std::string_view Where, std::string_view What) = 0;
    // A line that reports no failure (a time measured on request); only a trace kept in a file
    // has room for it.
    virtual void Note(std::string_view /*Where*/, std::string_view /*What*/) {}
};
