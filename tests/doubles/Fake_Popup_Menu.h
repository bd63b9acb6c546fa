#pragma once
#include "platform/Menu.h"
#include "tests/doubles/Call_Log.h"

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

inline const char* Menu_Item_Name(Menu_Item Item) {
    static constexpr const char* Names[] = {
        "mnuShow",   "mnuEdit",  "mnuHyphen1", "mnuAdd",     "mnuCopy", "mnuClear",
        "mnuDelete", "mnuPrint", "mnuHyphen2", "mnuOptions", "mnuTop",  "mnuHyphen3",
        "mnuHelp",   "mnuAbout", "mnuHyphen4", "mnuExit",    "None"};
    return Names[static_cast<int>(Item)];
}

// mnuRight as visibility and check flags. Track logs its default item, remembers which items
// were visible, runs On_Track (events that arrive inside the menu's nested loop) and returns
// the next scripted choice (None when the script is empty: the user dismissed the menu).
// Leaves out captions, positions and keyboard navigation.
struct Fake_Popup_Menu : Popup_Menu, Logged {
    std::array<bool, Menu_Item_Count> Visible_Items;
    std::array<bool, Menu_Item_Count> Checked_Items{};
    std::deque<Menu_Item> Choices;
    std::function<void()> On_Track;
    std::vector<Menu_Item> Defaults;                 // the default item of each Track
    std::vector<std::vector<Menu_Item>> Shown_Items; // the visible items at each Track

    Fake_Popup_Menu() { Visible_Items.fill(true); }

    void Set_Visible(Menu_Item Item, bool Vis) override {
        Visible_Items[size_t(Item)] = Vis;
        Note(std::string("Visible ") + Menu_Item_Name(Item) + (Vis ? " 1" : " 0"));
    }
    bool Is_Visible(Menu_Item Item) const override { return Visible_Items[size_t(Item)]; }
    void Set_Checked(Menu_Item Item, bool Checked) override {
        Checked_Items[size_t(Item)] = Checked;
    }
    bool Is_Checked(Menu_Item Item) const override { return Checked_Items[size_t(Item)]; }

    Menu_Item Track(Menu_Item Default_Item) override {
        Note(std::string("Track ") + Menu_Item_Name(Default_Item));
        Defaults.push_back(Default_Item);
        std::vector<Menu_Item> Shown;
        for (int I = 0; I < Menu_Item_Count; ++I)
            if (Visible_Items[static_cast<size_t>(I)]) Shown.push_back(static_cast<Menu_Item>(I));
        Shown_Items.push_back(Shown);
        if (On_Track) On_Track();
        if (Choices.empty()) return Menu_Item::None;
        const Menu_Item Choice = Choices.front();
        Choices.pop_front();
        return Choice;
    }
};
