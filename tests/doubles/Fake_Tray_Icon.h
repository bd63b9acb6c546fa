#pragma once
#include "platform/Tray.h"
#include "tests/doubles/Call_Log.h"

#include <string>
#include <utility>
#include <vector>

// The notification-area icon as a flag and its tip; Add fails while Fail_Add is set, as it
// does before the shell's taskbar exists. Leaves out the icon picture and the mouse events
// (a test calls the tray dispatch directly).
struct Fake_Tray_Icon : Tray_Icon, Logged {
    bool Shown = false;
    bool Fail_Add = false;
    std::string Tip;
    int Adds = 0, Removes = 0;
    std::vector<std::pair<std::string, std::string>> Balloons; // title, text

    bool Add(std::string_view T) override {
        ++Adds;
        Note("Tray_Add");
        if (Fail_Add) return false;
        Shown = true;
        Tip = std::string(T);
        return true;
    }
    void Remove() override {
        ++Removes;
        Note("Tray_Remove");
        Shown = false;
    }
    void Balloon(std::string_view Title, std::string_view Text) override {
        Note("Balloon");
        Balloons.emplace_back(std::string(Title), std::string(Text));
    }
};
