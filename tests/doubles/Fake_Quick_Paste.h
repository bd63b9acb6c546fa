#pragma once
#include "platform/Quick_Paste.h"

#include <optional>
#include <set>
#include <utility>

// The popup as state; the filter box and keys go through its events. Hiding takes its activation
// away, which it reports as Windows does. Leaves out drawing and the controls.
struct Fake_Paste_Popup : Paste_Popup {
    Paste_Popup_Events* Events = nullptr;
    bool Shown = false;
    Rect Bounds;
    int Dots = 96;
    std::vector<Popup_Line> Lines;
    int Choice = -1;
    void Filter(std::string_view Box) { Events->Filter_Changed(Box); }
    void Key(Popup_Key K, int Mods = 0, int Digit = 0) { Events->Key_Down(K, Mods, Digit); }
    void Set_Events(Paste_Popup_Events* E) override { Events = E; }
    void Show(const Rect& B, int Dpi) override { Shown = true, Bounds = B, Dots = Dpi; }
    void Hide() override {
        if (!std::exchange(Shown, false)) return;
        if (Events) Events->Deactivated();
    }
    bool Visible() const override { return Shown; }
    void Set_Lines(const std::vector<Popup_Line>& L) override { Lines = L; }
    void Set_Choice(int Line) override { Choice = Line; }
    int Page_Lines() const override { return 5; }
};

// The desktop: one hotkey table for every program, the focused window with its caret, monitors,
// held keys, closed windows, and Ctrl+V landing in the window in front. Time passes only
// through Wait.
struct Fake_Paste_Desk : Quick_Paste_Desk {
    std::set<std::pair<int, int>> Held_Elsewhere;
    std::optional<std::pair<int, int>> Ours;
    Paste_Target Target{7, true, {100, 100, 102, 118}, 0, 0, false};
    std::vector<Monitor_Area> Monitors{{{0, 0, 1920, 1040}, 96}};
    Window_Id Focus = 7;        // the window in front
    bool Focus_Refused = false; // another program keeps the front
    bool Keys_Down = false;
    std::set<Window_Id> Closed;
    bool Waiting = false;
    std::vector<Window_Id> Pasted_In;
    int Raised = 0;
    Fake_Paste_Popup View;
    void Wait(int Ms) {
        for (int T = 0; T < Ms && Waiting; T += Paste_Tick_Ms)
            View.Events->Paste_Tick();
    }
    bool Register_Hotkey(int Key, int Mods) override {
        if (Ours || Held_Elsewhere.count({Key, Mods})) return false;
        Ours = {Key, Mods};
        return true;
    }
    void Unregister_Hotkey() override { Ours.reset(); }
    bool Hotkey_Taken(int Key, int Mods) override { return Held_Elsewhere.count({Key, Mods}) != 0; }
    std::string Key_Name(int Key) const override {
        return Key == 0xC0 ? "`" : std::string(1, static_cast<char>(Key));
    }
    Paste_Target Focus_Target() override { return Target; }
    Monitor_Area Monitor_At(int X, int Y) const override {
        for (const Monitor_Area& M : Monitors)
            if (X >= M.Work.Left && X < M.Work.Right && Y >= M.Work.Top && Y < M.Work.Bottom)
                return M;
        return Monitors.front();
    }
    void Focus_To(Window_Id W) override {
        if (!Focus_Refused) Focus = W;
    }
    void Wait_To_Paste(bool On) override { Waiting = On; }
    bool Keys_Held() override { return Keys_Down; }
    bool Is_Window(Window_Id W) override { return !Closed.count(W); }
    Window_Id Front_Window() override { return Focus; }
    void Send_Paste() override { Pasted_In.push_back(Focus); }
    void Raise_Own_Window() override { ++Raised; }
    Paste_Popup& Popup() override { return View; }
};
