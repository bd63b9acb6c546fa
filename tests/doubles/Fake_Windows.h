#pragma once
#include "platform/Main_Window.h"
#include "platform/Main_Window_Events.h"
#include "platform/Menu.h"
#include "platform/Message_Box.h"
#include "platform/Tray.h"
#include "tests/doubles/Pixel_Surface.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <new>
#include <utility>

// System colours as a grey level per index, distinct from each other and from the pictures,
// so a pixel tells which one landed there; a colour change adds Shift to every colour.
struct Fake_System_Colors : System_Colors {
    Color Shift = 0;
    Color Sys_Color(System_Color C) const override {
        const auto Grey = uint8_t(50 + 20 * static_cast<int>(C));
        return Rgb(Grey, Grey, Grey) + Shift;
    }
};

// The main window as sizes and flags: an 8 x 34 px frame, 1440 / Dots twips a pixel; a set size
// raises the resize event at once. Enabled is false while a modal box or dialog is open. Time
// passes only when a test says. Leaves out the position, maximizing, focus and the message loop.
struct Fake_Main_Window : Main_Window {
    explicit Fake_Main_Window(const System_Colors& C) : Buffer(C, 232, 455), Colors(C) {}
    Pixel_Surface Buffer; // the back buffer, at the client size
    const System_Colors& Colors;
    int Dots = 96, Splitter_Top = 0;
    bool Shown = true, Enabled = true, Splitter_Visible = false;
    Main_Window_Events* Events = nullptr; // hears the resizes and the timers
    std::function<void()> On_Time_Passing;
    int Now_Ms = 0;
    std::map<Timer_Id, int> Due; // the running timers
    // Lets time pass; each timer that falls due fires then, once.
    void Advance(int Ms) {
        if (On_Time_Passing) On_Time_Passing();
        for (const int End = Now_Ms + Ms;;) {
            const auto Next = std::ranges::min_element(Due, {}, &decltype(Due)::value_type::second);
            if (Next == Due.end() || Next->second > End) return void(Now_Ms = End);
            const Timer_Id Id = Next->first;
            Now_Ms = Next->second, Due.erase(Next);
            if (Events) Events->Timer(Id);
        }
    }
    void User_Resize(int W, int H) {
        if (Buffer.Resize(W, H); Events) Events->Resized();
    }
    int Tpp() const { return 1440 / Dots; }
    int Window_State() const override { return Window_Normal; }
    int Client_Width() const override { return Buffer.Width(); }
    int Client_Height() const override { return Buffer.Height(); }
    double Left() const override { return 0; }
    double Top() const override { return 0; }
    double Width() const override { return (Buffer.Width() + 8) * Tpp(); }
    double Height() const override { return (Buffer.Height() + 34) * Tpp(); }
    void Set_Left(double) override {}
    void Set_Top(double) override {}
    int Pixels(double T) const { return int(std::lround(T / Tpp())); }
    void Set_Width(double T) override { User_Resize(Pixels(T) - 8, Buffer.Height()); }
    void Set_Height(double T) override { User_Resize(Buffer.Width(), Pixels(T) - 34); }
    int Twips_Per_Pixel_Y() const override { return Tpp(); }
    int Dpi() const override { return Dots; }
    double Screen_Width() const override { return 1024 * 15.0; }
    double Screen_Height() const override { return 768 * 15.0; }
    void Show() override { Shown = true; }
    void Hide() override { Shown = false; }
    bool Visible() const override { return Shown; }
    void Set_Caption(std::string_view) override {}
    void Set_Topmost(bool) override {}
    void Set_Foreground() override {}
    void Post_User_Message() override {}
    void End_Program() override {}
    Surface& Back_Buffer() override { return Buffer; }
    void Clear_Back_Buffer() override {
        Buffer.Fill_Rect({0, 0, 9999, 9999}, Colors.Sys_Color(System_Color::Button_Face));
    }
    int Failing_Presents = 0; // this many more presents run out of memory
    void Present() override {
        if (Failing_Presents > 0 && Failing_Presents--) throw std::bad_alloc();
    }
    std::unique_ptr<Surface> New_Surface(int W, int H) override {
        return std::make_unique<Pixel_Surface>(Colors, W, H);
    }
    void Set_Tip_Bounds(int, int, int, int) override {}
    void Set_Tip_Text(std::string_view) override {}
    void Set_Splitter(bool V, int, int T, int, int) override {
        Splitter_Visible = V, Splitter_Top = T;
    }
    // What readers were told, in order: each as the event's letter (Focus, Selection, Name,
    // Description, Reorder) and its row, "F2 S2". On_Tell looks at the window as each is told.
    std::string Heard;
    std::function<void(int Row)> On_Tell;
    void Tell_Reader(Reader_Event What, int Row) override {
        Heard += std::string(Heard.empty() ? "" : " ") + "FSNDR"[static_cast<int>(What)] +
                 std::to_string(Row);
        if (On_Tell) On_Tell(Row);
    }
    void Start_Timer(Timer_Id Id, int Ms) override { Due[Id] = Now_Ms + Ms; }
    void Stop_Timer(Timer_Id Id) override { Due.erase(Id); }
};

// While a modal box or dialog is open its owner takes no input.
struct Modal_Scope {
    bool& Enabled;
    bool Was;
    explicit Modal_Scope(bool& E) : Enabled(E), Was(std::exchange(E, false)) {}
    ~Modal_Scope() { Enabled = Was; }
};

// Message boxes that give one answer; On_Show runs inside the box's loop.
struct Fake_Message_Box : Message_Box {
    explicit Fake_Message_Box(bool& Owner_Enabled) : Owner(Owner_Enabled) {}
    bool& Owner;
    bool Default_Answer = true;
    std::function<void()> On_Show;
    std::vector<std::string> Shown; // "Title: Text"
    bool Ok_Cancel(std::string_view X, std::string_view T) override { return Ask(X, T); }
    bool Yes_No(std::string_view X, std::string_view T) override { return Ask(X, T); }
    void Ok(std::string_view X, std::string_view T) override { Ask(X, T); }
    bool Ask(std::string_view Text, std::string_view Title) {
        Shown.push_back(std::string(Title) + ": " + std::string(Text));
        const Modal_Scope Modal(Owner);
        if (On_Show) On_Show();
        return Default_Answer;
    }
};

// The popup menu records each showing's lines and place and returns the next scripted choice
// (None once the script is empty: dismissed).
struct Fake_Popup_Menu : Popup_Menu {
    std::deque<Menu_Item> Choices;
    std::vector<std::vector<Menu_Line>> Shown;
    std::vector<Menu_Place> Places;
    std::function<void()> On_Show; // runs inside the menu's loop
    Menu_Item Track(const std::vector<Menu_Line>& Lines, Menu_Item, Menu_Place Place) override {
        Shown.push_back(Lines), Places.push_back(Place);
        if (On_Show) On_Show();
        if (Choices.empty()) return Menu_Item::None;
        const Menu_Item C = Choices.front();
        return Choices.pop_front(), C;
    }
};

struct Fake_Tray_Icon : Tray_Icon {
    bool Shown = false, Paused = false;
    std::string Tip;
    std::vector<std::string> Balloons;
    bool Add(std::string_view T, bool P) override { return Modify(T, P), Shown = true; }
    void Modify(std::string_view T, bool P) override { Tip = T, Paused = P; }
    void Remove() override { Shown = false; }
    // As the shell: no icon, or more than 255 UTF-16 units, shows nothing.
    bool Balloon(std::string_view, std::string_view Text) override {
        size_t Units = 0;
        for (const char C : Text)
            Units += ((C & 0xC0) != 0x80) + ((C & 0xF8) == 0xF0);
        return Shown && Units <= 255 && (Balloons.emplace_back(Text), true);
    }
};
