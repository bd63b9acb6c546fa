#pragma once
#include "platform/Tray.h"
#include "tests/doubles/Call_Log.h"

#include <string>
#include <utility>
#include <vector>

// The notification-area icon as a flag, its tip and the balloons shown. Leaves out the icon
// picture, a taskbar that is not there yet, and the mouse events (a test calls the tray
// dispatch directly).
struct Fake_Tray_Icon : Tray_Icon, Logged {
    bool Shown = false;
    std::string Tip;
    std::vector<std::pair<std::string, std::string>> Balloons; // title, text

    bool Add(std::string_view T) override {
        Note("Tray_Add");
        Shown = true;
        Tip = std::string(T);
        return true;
    }
    void Remove() override {
        Note("Tray_Remove");
        Shown = false;
    }
    void Balloon(std::string_view Title, std::string_view Text) override {
        Note("Balloon");
        Balloons.emplace_back(std::string(Title), std::string(Text));
    }
};
