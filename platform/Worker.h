#pragma once
#include <functional>
#include <string>

// Runs one job at a time on a thread of its own, so that writing a large file leaves the
// window answering. The job must touch nothing the window's thread changes meanwhile: it works
// on a copy (a copy of the list shares its texts, which are never changed in place).
struct Background_Worker {
    virtual ~Background_Worker() = default;
    using Job = std::function<std::string()>;       // "" or what went wrong
    using Done = std::function<void(std::string)>; // on the window's thread, with Job's result
    // False (and nothing started) while a job runs.
    virtual bool Start(Job Work, Done Then) = 0;
    virtual bool Busy() const = 0;
    // The window's thread: the job's message arrived; calls its Done.
    virtual void Deliver() = 0;
    // Waits for a running job and calls its Done now (exit).
    virtual void Finish() = 0;
};
