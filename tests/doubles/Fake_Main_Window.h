#pragma once
#include "platform/MainWindow.h"
#include "tests/doubles/Call_Log.h"
#include "tests/doubles/Pixel_Surface.h"

#include <cmath>
#include <functional>
#include <memory>
#include <string>

// The main window as sizes and flags. Its outer size is the client size plus a fixed frame,
// in twips at 15 per pixel; setting the height or width raises the resize event before it
// returns, as the system does. The back buffer is a Pixel_Surface that follows the client
// size. A maximized or minimized window keeps its client size when its height is set.
// Leaves out the screen, painting, focus and the message loop.
struct Fake_Main_Window : Main_Window, Logged {
    explicit Fake_Main_Window(const System_Colors& Colors)
        : Buffer(Colors, Client_W, Client_H), Colors_(Colors) {}

    int State = Window_Normal;
    int Client_W = 232, Client_H = 455; // the design size
    int Frame_W = 8, Frame_H = 34;      // pixels of frame and caption around the client area
    int TPP = 15;
    double Left_Twips = 0, Top_Twips = 0;
    double Screen_W = 1024 * 15.0, Screen_H = 768 * 15.0;
    bool Is_Visible = true; // a window is shown when it is created, until the program hides it
    bool Topmost = false;
    std::string Caption;
    bool Ended = false;
    int Foregrounds = 0, Posts = 0, Presents = 0, Clears = 0;
    Pixel_Surface Buffer;
    // The resize event; a test points it at the logic's handler.
    std::function<void()> On_Resize;

    int Tip_Left = 0, Tip_Top = 0, Tip_Width = 0, Tip_Height = 0;
    int Tip_Moves = 0;
    std::string Tip_Text;
    bool Splitter_Visible = false;
    int Splitter_Left = 0, Splitter_Top = 0, Splitter_Width = 0, Splitter_Height = 0;
    bool Timer_Running = false;
    int Timer_Ms = 0, Timer_Starts = 0;

    // The user drags the frame (normal state) to this client size.
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
    double Width() const override { return (Client_W + Frame_W) * TPP; }
    double Height() const override { return (Client_H + Frame_H) * TPP; }
    void Set_Left(double T) override { Left_Twips = T; }
    void Set_Top(double T) override { Top_Twips = T; }
    void Set_Width(double T) override {
        Note("Set_Width " + std::to_string(std::lround(T)));
        if (State != Window_Normal) return;
        Client_W = std::max(0, static_cast<int>(std::lround(T / TPP)) - Frame_W);
        Buffer.Resize(Client_W, Client_H);
        Raise_Resize();
    }
    void Set_Height(double T) override {
        Note("Set_Height " + std::to_string(std::lround(T)));
        if (State != Window_Normal) return;
        Client_H = std::max(0, static_cast<int>(std::lround(T / TPP)) - Frame_H);
        Buffer.Resize(Client_W, Client_H);
        Raise_Resize();
    }
    int Twips_Per_Pixel_X() const override { return TPP; }
    int Twips_Per_Pixel_Y() const override { return TPP; }
    double Screen_Width() const override { return Screen_W; }
    double Screen_Height() const override { return Screen_H; }

    void Show() override {
        Note("Show");
        Is_Visible = true;
    }
    void Hide() override {
        Note("Hide");
        Is_Visible = false;
    }
    bool Visible() const override { return Is_Visible; }
    void Set_Caption(std::string_view Utf8) override {
        Caption = std::string(Utf8);
        Note("Caption " + Caption);
    }
    void Set_Topmost(bool On_Top) override {
        Topmost = On_Top;
        Note(On_Top ? "Topmost 1" : "Topmost 0");
    }
    void Set_Foreground() override {
        ++Foregrounds;
        Note("Foreground");
    }
    void Post_User_Message() override {
        ++Posts;
        Note("Post_User_Message");
    }
    void End_Program() override {
        Ended = true;
        Note("End_Program");
    }

    Surface& Back_Buffer() override { return Buffer; }
    void Clear_Back_Buffer() override {
        ++Clears;
        Buffer.Fill_Rect({0, 0, Buffer.Width(), Buffer.Height()}, Colors_.Sys_Color(15));
        Note("Clear_Back_Buffer");
    }
    void Present() override {
        ++Presents;
        Note("Present");
    }
    std::unique_ptr<Surface> New_Surface(int W, int H) override {
        return std::make_unique<Pixel_Surface>(Colors_, W, H);
    }

    void Set_Tip_Bounds(int L, int T, int W, int H) override {
        ++Tip_Moves; // every call, so a test sees needless moves
        Tip_Left = L;
        Tip_Top = T;
        Tip_Width = W;
        Tip_Height = H;
    }
    void Set_Tip_Text(std::string_view Utf8) override { Tip_Text = std::string(Utf8); }
    void Set_Splitter(bool Vis, int L, int T, int W, int H) override {
        Splitter_Visible = Vis;
        Splitter_Left = L;
        Splitter_Top = T;
        Splitter_Width = W;
        Splitter_Height = H;
    }

    void Start_Save_Timer(int Ms) override {
        Timer_Running = true;
        Timer_Ms = Ms;
        ++Timer_Starts;
    }
    void Stop_Save_Timer() override { Timer_Running = false; }

  private:
    const System_Colors& Colors_;

    void Raise_Resize() {
        Note("Resize");
        if (On_Resize) On_Resize();
    }
};
