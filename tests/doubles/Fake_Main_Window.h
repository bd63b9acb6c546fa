#pragma once
#include "platform/MainWindow.h"
#include "tests/doubles/Call_Log.h"
#include "tests/doubles/Pixel_Surface.h"

#include <cmath>
#include <functional>
#include <memory>
#include <string>

// The main window as sizes and flags: its outer size is the client size plus an 8 x 34 px
// frame, in twips at 15 per pixel, on a 1024 x 768 screen. Setting the height or width raises
// the resize event before it returns, as the system does, except in the maximized or
// minimized state. The back buffer is a Pixel_Surface that follows the client size. Leaves
// out painting to the screen, focus and the message loop.
struct Fake_Main_Window : Main_Window, Logged {
    explicit Fake_Main_Window(const System_Colors& Colors)
        : Buffer(Colors, Client_W, Client_H), Colors_(Colors) {}

    int State = Window_Normal;
    int Client_W = 232, Client_H = 455; // the design size
    double Left_Twips = 0, Top_Twips = 0;
    bool Is_Visible = true; // a window is shown when it is created, until the program hides it
    bool Topmost = false, Ended = false;
    int Presents = 0;
    Pixel_Surface Buffer;
    std::function<void()> On_Resize;

    int Tip_Top = 0, Tip_Width = 0, Tip_Moves = 0;
    std::string Tip_Text;
    bool Splitter_Visible = false;
    int Splitter_Top = 0, Splitter_Width = 0;
    bool Timer_Running = false;
    int Timer_Ms = 0;

    // The user drags the frame to this client size.
    void User_Resize(int W, int H) {
        Client_W = W;
        Client_H = H;
        Buffer.Resize(W, H);
        Raise_Resize();
    }

    int Window_State() const override { return State; }
    int Client_Width() const override { return Client_W; }
    int Client_Height() const override { return Client_H; }
    double Left() const override { return Left_Twips; }
    double Top() const override { return Top_Twips; }
    double Width() const override { return (Client_W + 8) * 15; }
    double Height() const override { return (Client_H + 34) * 15; }
    void Set_Left(double T) override { Left_Twips = T; }
    void Set_Top(double T) override { Top_Twips = T; }
    void Set_Width(double T) override { Set_Size("Set_Width ", T, Client_W, 8); }
    void Set_Height(double T) override { Set_Size("Set_Height ", T, Client_H, 34); }
    int Twips_Per_Pixel_X() const override { return 15; }
    int Twips_Per_Pixel_Y() const override { return 15; }
    double Screen_Width() const override { return 1024 * 15.0; }
    double Screen_Height() const override { return 768 * 15.0; }

    void Show() override {
        Note("Show");
        Is_Visible = true;
    }
    void Hide() override {
        Note("Hide");
        Is_Visible = false;
    }
    bool Visible() const override { return Is_Visible; }
    void Set_Caption(std::string_view Utf8) override { Note("Caption " + std::string(Utf8)); }
    void Set_Topmost(bool On_Top) override {
        Topmost = On_Top;
        Note(On_Top ? "Topmost 1" : "Topmost 0");
    }
    void Set_Foreground() override { Note("Foreground"); }
    void Post_User_Message() override { Note("Post_User_Message"); }
    void End_Program() override {
        Ended = true;
        Note("End_Program");
    }

    Surface& Back_Buffer() override { return Buffer; }
    void Clear_Back_Buffer() override {
        Buffer.Fill_Rect({0, 0, Buffer.Width(), Buffer.Height()}, Colors_.Sys_Color(15));
    }
    void Present() override {
        ++Presents;
        Note("Present");
    }
    std::unique_ptr<Surface> New_Surface(int W, int H) override {
        return std::make_unique<Pixel_Surface>(Colors_, W, H);
    }

    void Set_Tip_Bounds(int, int T, int W, int) override {
        ++Tip_Moves; // every call, so a test sees needless moves
        Tip_Top = T;
        Tip_Width = W;
    }
    void Set_Tip_Text(std::string_view Utf8) override { Tip_Text = std::string(Utf8); }
    void Set_Splitter(bool Vis, int, int T, int W, int) override {
        Splitter_Visible = Vis;
        Splitter_Top = T;
        Splitter_Width = W;
    }

    void Start_Save_Timer(int Ms) override {
        Timer_Running = true;
        Timer_Ms = Ms;
    }
    void Stop_Save_Timer() override { Timer_Running = false; }

  private:
    const System_Colors& Colors_;

    void Set_Size(const char* What, double Twips, int& Client, int Frame) {
        Note(What + std::to_string(std::lround(Twips)));
        if (State != Window_Normal) return;
        Client = std::max(0, static_cast<int>(std::lround(Twips / 15)) - Frame);
        Buffer.Resize(Client_W, Client_H);
        Raise_Resize();
    }
    void Raise_Resize() {
        Note("Resize");
        if (On_Resize) On_Resize();
    }
};
