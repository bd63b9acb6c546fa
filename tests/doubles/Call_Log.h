#pragma once
#include <algorithm>
#include <string>
#include <vector>

// One ordered record of calls that several doubles can share, so a test can check the order
// of steps that cross services (menu, window, tray).
struct Call_Log {
    std::vector<std::string> Lines;

    void Add(std::string Line) { Lines.push_back(std::move(Line)); }
    void Clear() { Lines.clear(); }
    bool Has(const std::string& Line) const {
        return std::find(Lines.begin(), Lines.end(), Line) != Lines.end();
    }
    // Position of the first line equal to Line, or -1.
    int Index(const std::string& Line) const {
        const auto It = std::find(Lines.begin(), Lines.end(), Line);
        return It == Lines.end() ? -1 : static_cast<int>(It - Lines.begin());
    }
    int Count(const std::string& Line) const {
        return static_cast<int>(std::count(Lines.begin(), Lines.end(), Line));
    }
};

// A double's own log, also copied into a shared one when a test links them.
struct Logged {
    Call_Log Log;
    Call_Log* Shared = nullptr;

    void Note(const std::string& Line) {
        Log.Add(Line);
        if (Shared) Shared->Add(Line);
    }
};
