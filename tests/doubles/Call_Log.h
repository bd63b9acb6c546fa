#pragma once
#include <algorithm>
#include <string>
#include <vector>

// One ordered record that several doubles share, so a test can check the order of steps
// that cross services (menu, window, tray).
struct Call_Log {
    std::vector<std::string> Lines;

    void Add(std::string Line) { Lines.push_back(std::move(Line)); }
    void Clear() { Lines.clear(); }
    bool Has(const std::string& Line) const {
        return std::find(Lines.begin(), Lines.end(), Line) != Lines.end();
    }
    // True when these lines appear in this order, others possibly between them.
    bool In_Order(const std::vector<std::string>& Want) const {
        size_t At = 0;
        for (const std::string& L : Lines)
            if (At < Want.size() && L == Want[At]) ++At;
        return At == Want.size();
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
