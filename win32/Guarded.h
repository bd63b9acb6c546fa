#pragma once

// Runs a handler of the logic from a window procedure: nothing may unwind through the system's
// code, and a failed handler leaves the program running.
template <typename F> void Guarded(F&& Handler) noexcept {
    try {
        Handler();
    } catch (...) {
    }
}
