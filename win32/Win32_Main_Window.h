#pragma once
#include "platform/Main_Window.h"
#include "platform/Main_Window_Events.h"
#include "win32/Unique_Handle.h"
#include "win32/Win32_Accessible.h"
#include "win32/Win32_Surface.h"
#include "win32/Win32_Window_Geometry.h"
#include "win32/Window_Object.h"

#include <string>

class Win32_Main_Window;

inline constexpr wchar_t Main_Class_Name[] = L"PimLoft.Main";
// Posted by a second start: the running program shows its window.
inline constexpr wchar_t Show_Message_Name[] = L"PimLoft.Show";

// The row hit area Tip: a child over the hovered row that shows the rows beneath it and
// reports the pointer in twips.
class Tip_Window final : public Window_Object {
  public:
    explicit Tip_Window(Win32_Main_Window& Main) : Main_(Main) {}
    ~Tip_Window() override { Destroy(); }
    void Create_In(HWND Parent, HINSTANCE Instance);

  private:
    LRESULT Message(HWND H, UINT Msg, WPARAM W, LPARAM L) override;
    void On_Paint(HWND H);
    template <typename Window>
    friend void Dispatch_Pointer(Window& Self, const Pointer_Message& P, WPARAM W, LPARAM L);
    void On_Button_Down(int Button, LPARAM L);
    void On_Button_Up(int Button, WPARAM W, LPARAM L);
    void On_Mouse_Move(WPARAM W, LPARAM L);
    void On_Double_Click();

    Win32_Main_Window& Main_;
};

// The drag bar PicSplitter: painted by its class brush; the pointer passes through it to Tip.
class Splitter_Window final : public Window_Object {
  public:
    ~Splitter_Window() override { Destroy(); }
    void Create_In(HWND Parent, HINSTANCE Instance);

  private:
    LRESULT Message(HWND H, UINT Msg, WPARAM W, LPARAM L) override;
};

// The hidden owner that keeps the main window off the taskbar.
class Owner_Window final : public Window_Object {
  public:
    explicit Owner_Window(Win32_Main_Window& Main) : Main_(Main) {}
    ~Owner_Window() override { Destroy(); }
    void Create_Hidden(HINSTANCE Instance);

  private:
    LRESULT Message(HWND H, UINT Msg, WPARAM W, LPARAM L) override;
    Win32_Main_Window& Main_;
};

// The main window with Tip, the tool tip and PicSplitter. Each message it does not answer
// itself becomes one call of its events; until they are set, messages reach nothing.
class Win32_Main_Window final : public Main_Window, public Window_Object {
  public:
    explicit Win32_Main_Window(HINSTANCE Instance);
    ~Win32_Main_Window() override;
    Win32_Main_Window(const Win32_Main_Window&) = delete;
    Win32_Main_Window& operator=(const Win32_Main_Window&) = delete;

    using Window_Object::Handle;
    bool Created() const { return Handle() != nullptr; }
    void Set_Events(Main_Window_Events* Events);
    Main_Window_Events& Events() const { return *Events_; }
    // The list screen readers read, while attached.
    void Attach(Reader_Rows* Rows) { Rows_ = Rows; }
    Reader_Rows* Rows() const { return Rows_; }
    const Win32_Surface& Buffer() const { return Back_; }
    // Another program asks the program to end (WM_CLOSE to any window of ours).
    void On_Close_Request();

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
    int Twips_Per_Pixel_Y() const override { return Tppy_; }
    int Dpi() const override { return Dpi_; }
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

    void Start_Timer(Timer_Id Id, int Milliseconds) override;
    void Stop_Timer(Timer_Id Id) override;
    static UINT_PTR Timer_Number(Timer_Id Id);

    void Tell_Reader(Reader_Event What, int Row) override;

  private:
    LRESULT Message(HWND H, UINT Msg, WPARAM W, LPARAM L) override;
    void On_Paint(HWND H);
    void On_Size();
    void On_Sizing(WPARAM Edge, RECT& Proposed);
    void On_Min_Max_Info(MINMAXINFO& Info);
    void On_Dpi_Changed(int Dpi, const RECT& Suggested);
    template <typename Window>
    friend void Dispatch_Pointer(Window& Self, const Pointer_Message& P, WPARAM W, LPARAM L);
    void On_Button_Down(int Button, LPARAM L);
    void On_Button_Up(int Button, WPARAM W, LPARAM L);
    void On_Mouse_Move(WPARAM W, LPARAM L);
    void On_Double_Click();
    void On_Key_Down(WPARAM Key);
    void On_Close_Box();
    void On_End_Session();
    void On_Tray(WPARAM Where, LPARAM Event);
    LRESULT On_Get_Object(WPARAM W, LPARAM L);
    void On_Timer(UINT_PTR Id);

    void Create_Children();
    // The twips rate, the list's font and the tool tip's width follow the window's dpi.
    void Take_Dpi(int Dpi);
    void Move_Outer(int X, int Y, int Cx, int Cy, UINT Flags);
    int Non_Client_Height() const;
    Color Background() const;

    HINSTANCE Instance_;
    static Main_Window_Events& Nowhere();
    Main_Window_Events* Events_ = &Nowhere();
    Reader_Rows* Rows_ = nullptr;
    bool In_Close_Request_ = false;
    Owner_Window Owner_{*this};
    Tip_Window Tip_{*this};
    Splitter_Window Splitter_;
    Unique_Window Tooltip_;
    std::wstring Tooltip_Text_;
    bool Changing_Dpi_ = false;
    Unique_Gdi List_Font_; // before the buffer it is selected into, so it goes after it
    Win32_Surface Back_{0, 0};
    int Dpi_ = 96;
    int Tppx_ = 15, Tppy_ = 15;
    UINT Taskbar_Created_ = 0;
    UINT Show_Message_ = 0;
    Unique_List_Accessible Accessible_; // made when a reader first asks
    UINT Last_Tray_Message_ = 0;
};
