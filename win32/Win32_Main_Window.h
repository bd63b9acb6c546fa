#pragma once
#include "platform/MainWindow.h"
#include "win32/Unique_Handle.h"
#include "win32/Win32_Window_Geometry.h"
#include "win32/Win32_Surface.h"

#include <string>

struct Main;

inline constexpr wchar_t Main_Class_Name[] = L"PimLoft.Main";
// Posted by a second start: the running program shows its window.
inline constexpr wchar_t Show_Message_Name[] = L"PimLoft.Show";

// The main window, its row hit area Tip with the tool tip, and the drag bar PicSplitter. Its
// messages reach the logic only while a Main is attached.
class Win32_Main_Window final : public Main_Window {
  public:
    explicit Win32_Main_Window(HINSTANCE Instance);
    ~Win32_Main_Window() override;
    Win32_Main_Window(const Win32_Main_Window&) = delete;
    Win32_Main_Window& operator=(const Win32_Main_Window&) = delete;

    HWND Handle() const { return Window_.Get(); }
    bool Created() const { return static_cast<bool>(Window_); }
    void Attach(Main* M) { M_ = M; }

    int Window_State() const override;
    int Client_Width() const override;
    int Client_Height() const override;
    double Left() const override;
    double Top() const override;
    double Width() const override;
    double Height() const override;
    void Set_Left(double Twips) override;
    void Set_Top(double Twips) override;
    void Set_Width(double Twips) override;
    void Set_Height(double Twips) override;
    int Twips_Per_Pixel_X() const override { return Tppx_; }
    int Twips_Per_Pixel_Y() const override { return Tppy_; }
    double Screen_Width() const override;
    double Screen_Height() const override;

    void Show() override;
    void Hide() override;
    bool Visible() const override;
    void Set_Caption(std::string_view Utf8) override;
    void Set_Topmost(bool On_Top) override;
    void Set_Foreground() override;
    void Post_User_Message() override;
    void End_Program() override;

    Surface& Back_Buffer() override { return Back_; }
    void Clear_Back_Buffer() override;
    void Present() override;
    std::unique_ptr<Surface> New_Surface(int Width, int Height) override;

    void Set_Tip_Bounds(int Left, int Top, int Width, int Height) override;
    void Set_Tip_Text(std::string_view Utf8) override;
    void Set_Splitter(bool Visible, int Left, int Top, int Width, int Height) override;

    void Start_Save_Timer(int Milliseconds) override;
    void Stop_Save_Timer() override;

  private:
    static LRESULT CALLBACK Main_Proc(HWND H, UINT Msg, WPARAM W, LPARAM L);
    static LRESULT CALLBACK Tip_Proc(HWND H, UINT Msg, WPARAM W, LPARAM L);
    LRESULT On_Main_Message(HWND H, UINT Msg, WPARAM W, LPARAM L);
    LRESULT On_Tip_Message(HWND H, UINT Msg, WPARAM W, LPARAM L);

    // Typed handlers of the main window.
    void On_Paint(HWND H);
    void On_Size();
    void On_Sizing(WPARAM Edge, RECT& Proposed);
    void On_Min_Max_Info(MINMAXINFO& Info);
    void On_Pointer(const Pointer_Message& P, WPARAM W, LPARAM L);
    void On_Button_Down(int Button, LPARAM L);
    void On_Button_Up(int Button, WPARAM W, LPARAM L);
    void On_Mouse_Move(WPARAM W, LPARAM L);
    void On_Double_Click();
    void On_Key_Down(WPARAM Key);
    void On_Close();
    void On_End_Session();
    void On_Tray(UINT Mouse_Message);
    void On_Timer(UINT_PTR Id);
    // Typed handlers of Tip.
    void On_Tip_Paint(HWND H);
    void On_Tip_Pointer(const Pointer_Message& P, WPARAM W, LPARAM L);
    void On_Tip_Button_Down(int Button, LPARAM L);
    void On_Tip_Button_Up(int Button, WPARAM W, LPARAM L);
    void On_Tip_Mouse_Move(WPARAM W, LPARAM L);
    void On_Tip_Double_Click();

    void Create_Children();
    void Move_Outer(int X, int Y, int Cx, int Cy, UINT Flags);
    int Non_Client_Height() const;
    Color Background() const;

    HINSTANCE Instance_;
    Main* M_ = nullptr;
    Unique_Window Owner_; // hidden owner: keeps the window off the taskbar
    Unique_Window Window_;
    HWND Tip_ = nullptr; // children die with Window_
    HWND Splitter_ = nullptr;
    Unique_Window Tooltip_;
    std::wstring Tooltip_Text_;
    Win32_Surface Back_{0, 0};
    int Tppx_ = 15, Tppy_ = 15;
    UINT Taskbar_Created_ = 0;
    UINT Show_Message_ = 0;
};
