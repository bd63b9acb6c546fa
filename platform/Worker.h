#pragma once
#include <functional>
#include <string>

// The kinds of background work. Each lane runs one job at a time on a thread of its own, so
// that writing a large file leaves the window answering; lanes never wait for each other, and
// one lane's jobs end in the order they started.
enum class Work_Lane { Fold, History, Rewrite, Search };
inline constexpr int Work_Lanes = 4;

// A job must touch nothing the window's thread changes meanwhile: it works on a copy (a copy of
// the list shares its texts, which are never changed in place).
struct Background_Worker {
    virtual ~Background_Worker() = default;
    using Job = std::function<std::string()>;      // "" or what went wrong
    using Done = std::function<void(std::string)>; // on the window's thread, with Job's result
    // False (and nothing started) while the lane's job runs.
    virtual bool Start(Work_Lane Lane, Job Work, Done Then) = 0;
    virtual bool Busy(Work_Lane Lane) const = 0;
    // The window's thread: the message of the lane's job arrived; calls its Done.
    virtual void Deliver(Work_Lane Lane) = 0;
    // Waits for the lane's running job and calls its Done now (exit).
    virtual void Finish(Work_Lane Lane) = 0;
};
