#pragma once
#include "platform/MainWindow.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/Tray.h"
#include "tests/doubles/Pixel_Surface.h"

#include <cmath>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// System colours, each distinct from the others and from the pictures, so a pixel tells which
// one landed there. Leaves out the indices the program never asks for (they read as magenta).
struct Fake_System_Colors : System_Colors {
    Color Shift = 0; // a colour change adds this to every colour
    Color Sys_Color(int I) const override {
        switch (I) {
        case COLOR_WINDOW_: return Rgb(250, 250, 250) - Shift;
        case COLOR_WINDOWTEXT_: return Rgb(10, 10, 10) + Shift;
        case COLOR_HIGHLIGHT_: return Rgb(0, 0, 128) + Shift;
        case COLOR_HIGHLIGHTTEXT_: return Rgb(252, 252, 252) - Shift;
        case COLOR_BTNFACE_: return Rgb(192, 192, 192) + Shift;
        case COLOR_BTNSHADOW_: return Rgb(129, 129, 129) + Shift;
        case COLOR_BTNHIGHLIGHT_: return Rgb(254, 254, 254) - Shift;
        case COLOR_3DDKSHADOW_: return Rgb(1, 1, 1) + Shift;
        case COLOR_3DLIGHT_: return Rgb(223, 223, 223) - Shift;
        default: return Rgb(255, 0, 255);
        }
    }
};

// The main window as sizes and flags: the outer size is the client size plus an 8 x 34 px
// frame at 15 twips a pixel. Setting the height raises the resize event before it returns,
// except when maximized or minimized; the back buffer follows the client size. Enabled is
// false while a modal box or dialog is open. Leaves out the screen, focus and the message loop.
struct Fake_Main_Window : Main_Window {
    explicit Fake_Main_Window(const System_Colors& C) : Buffer(C, 232, 455), Colors(C) {}
    Pixel_Surface Buffer;
    const System_Colors& Colors;
    int State = Window_Normal;
    bool Is_Visible = true, Enabled = true, Topmost = false, Ended = false;
    std::function<void()> On_Resize;
    int Tip_Top = 0, Tip_Width = 0, Splitter_Top = 0;
    std::string Tip_Text;
    bool Splitter_Visible = false, Timer_Running = false;
    double Left_Twips = 0, Top_Twips = 0;

    void User_Resize(int W, int H) {
        Buffer.Resize(W, H);
        if (On_Resize) On_Resize();
    }
    int Window_State() const override { return State; }
    int Client_Width() const override { return Buffer.Width(); }
    int Client_Height() const override { return Buffer.Height(); }
    double Left() const override { return Left_Twips; }
    double Top() const override { return Top_Twips; }
    double Width() const override { return (Buffer.Width() + 8) * 15; }
    double Height() const override { return (Buffer.Height() + 34) * 15; }
    void Set_Left(double T) override { Left_Twips = T; }
    void Set_Top(double T) override { Top_Twips = T; }
    void Set_Width(double T) override {
        if (State == Window_Normal) User_Resize(int(std::lround(T / 15)) - 8, Buffer.Height());
    }
    void Set_Height(double T) override {
        if (State == Window_Normal) User_Resize(Buffer.Width(), int(std::lround(T / 15)) - 34);
    }
    int Twips_Per_Pixel_X() const override { return 15; }
    int Twips_Per_Pixel_Y() const override { return 15; }
    double Screen_Width() const override { return 1024 * 15.0; }
    double Screen_Height() const override { return 768 * 15.0; }
    void Show() override { Is_Visible = true; }
    void Hide() override { Is_Visible = false; }
    bool Visible() const override { return Is_Visible; }
    void Set_Caption(std::string_view) override {}
    void Set_Topmost(bool On) override { Topmost = On; }
    void Set_Foreground() override {}
    void Post_User_Message() override {}
    void End_Program() override { Ended = true; }
    Surface& Back_Buffer() override { return Buffer; }
    void Clear_Back_Buffer() override {
        Buffer.Fill_Rect({0, 0, Buffer.Width(), Buffer.Height()}, Colors.Sys_Color(COLOR_BTNFACE_));
    }
    void Present() override {}
    std::unique_ptr<Surface> New_Surface(int W, int H) override {
        return std::make_unique<Pixel_Surface>(Colors, W, H);
    }
    void Set_Tip_Bounds(int, int T, int W, int) override { Tip_Top = T, Tip_Width = W; }
    void Set_Tip_Text(std::string_view S) override { Tip_Text = S; }
    void Set_Splitter(bool V, int, int T, int, int) override { Splitter_Visible = V, Splitter_Top = T; }
    void Start_Save_Timer(int) override { Timer_Running = true; }
    void Stop_Save_Timer() override { Timer_Running = false; }
};

// While a modal box or dialog is open its owner takes no input.
struct Modal_Scope {
    bool& Enabled;
    bool Was;
    explicit Modal_Scope(bool& E) : Enabled(E), Was(E) { Enabled = false; }
    ~Modal_Scope() { Enabled = Was; }
};

// Message boxes answered from a script (Default_Answer once it is empty); On_Show runs inside
// the box's loop. Leaves out icons and default buttons.
struct Fake_Message_Box : Message_Box {
    explicit Fake_Message_Box(bool& Owner_Enabled) : Owner(Owner_Enabled) {}
    bool& Owner;
    std::deque<bool> Answers;
    bool Default_Answer = true;
    std::function<void()> On_Show;
    std::vector<std::string> Shown; // "Title: Text"
    bool Ok_Cancel(std::string_view Text, std::string_view Title) override { return Ask(Text, Title); }
    bool Yes_No(std::string_view Text, std::string_view Title) override { return Ask(Text, Title); }
    void Ok(std::string_view Text, std::string_view Title) override { Ask(Text, Title); }
    bool Ask(std::string_view Text, std::string_view Title) {
        Shown.push_back(std::string(Title) + ": " + std::string(Text));
        Modal_Scope Modal(Owner);
        if (On_Show) On_Show();
        if (Answers.empty()) return Default_Answer;
        const bool A = Answers.front();
        Answers.pop_front();
        return A;
    }
};

// The popup menu: records the lines and default of each showing, runs On_Track inside its
// loop and returns the next scripted choice (None once the script is empty: dismissed).
// Leaves out positions and keyboard navigation.
struct Fake_Popup_Menu : Popup_Menu {
    std::deque<Menu_Item> Choices;
    std::function<void()> On_Track;
    std::vector<std::vector<Menu_Line>> Shown;
    std::vector<Menu_Item> Defaults;
    Menu_Item Track(const std::vector<Menu_Line>& Lines, Menu_Item Default_Item) override {
        Shown.push_back(Lines);
        Defaults.push_back(Default_Item);
        if (On_Track) On_Track();
        if (Choices.empty()) return Menu_Item::None;
        const Menu_Item C = Choices.front();
        Choices.pop_front();
        return C;
    }
};

// The notification-area icon as a flag, its tip and the balloons shown. Leaves out the picture.
struct Fake_Tray_Icon : Tray_Icon {
    bool Shown = false;
    std::string Tip;
    std::vector<std::string> Balloons;
    bool Add(std::string_view T) override { return Shown = true, Tip = T, true; }
    void Remove() override { Shown = false; }
    void Balloon(std::string_view, std::string_view Text) override { Balloons.emplace_back(Text); }
};
