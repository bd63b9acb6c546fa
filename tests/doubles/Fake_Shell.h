#pragma once
#include "platform/Process.h"

#include <set>
#include <string>
#include <vector>

// Opening documents and starting programs, recorded; a path in a Fail set does not open or
// start. Leaves out file associations: any other path succeeds.
struct Fake_Shell : Shell {
    std::vector<std::string> Opened, Started; // successful calls only
    std::vector<std::string> Attempts;        // every call, "open X" or "start X"
    std::set<std::string> Fail_Open, Fail_Start;

    bool Open_Document(const std::string& Path) override {
        Attempts.push_back("open " + Path);
        if (Fail_Open.count(Path)) return false;
        Opened.push_back(Path);
        return true;
    }
    bool Start_Program(const std::string& Path) override {
        Attempts.push_back("start " + Path);
        if (Fail_Start.count(Path)) return false;
        Started.push_back(Path);
        return true;
    }
};
