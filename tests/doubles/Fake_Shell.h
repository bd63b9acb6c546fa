#pragma once
#include "platform/Process.h"

#include <set>
#include <string>
#include <vector>

// Opening documents and starting programs, recorded when they succeed; a path in a Fail set
// does not open or start. Leaves out file associations: any other path succeeds.
struct Fake_Shell : Shell {
    std::vector<std::string> Opened, Started;
    std::set<std::string> Fail_Open, Fail_Start;

    bool Open_Document(const std::string& Path) override { return Record(Fail_Open, Opened, Path); }
    bool Start_Program(const std::string& Path) override {
        return Record(Fail_Start, Started, Path);
    }

  private:
    static bool Record(const std::set<std::string>& Fail, std::vector<std::string>& Done,
                       const std::string& Path) {
        if (Fail.count(Path)) return false;
        Done.push_back(Path);
        return true;
    }
};
