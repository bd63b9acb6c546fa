#pragma once
#include "platform/Quick_Paste.h"
#include "win32/Unique_Handle.h"
#include "win32/Win32_Controls.h"
#include "win32/Window_Object.h"

#include <vector>

inline constexpr wchar_t Paste_Popup_Class_Name[] = L"PimLoft.QuickPaste";

// The Quick Paste popup: a filter box above an owner-drawn list box. Both are standard
// controls, so keyboard focus and screen readers work with them.
class Paste_Popup_Window final : public Paste_Popup, public Window_Object {
  public:
    explicit Paste_Popup_Window(HINSTANCE Instance);
    ~Paste_Popup_Window() override;

    using Window_Object::Handle;
    HWND Filter_Box() const { return Edit_; }
    HWND List_Box() const { return List_; }

    void Set_Events(Paste_Popup_Events* Events) override { Events_ = Events; }
    void Show(const Rect& Bounds, int Dpi) override;
    void Hide() override;
    bool Visible() const override;
    void Set_Lines(const std::vector<Popup_Line>& Lines) override;
    void Set_Choice(int Line) override;
    int Page_Lines() const override;

    // The keys of both controls: true when the popup took the key.
    bool Key(HWND From, WPARAM Key);
    void Clicked(int Line);

  private:
    LRESULT Message(HWND H, UINT Msg, WPARAM W, LPARAM L) override;
    void Use_Dpi(int Dpi); // its font and line height
    void Lay_Out();
    void Draw_Line(const DRAWITEMSTRUCT& Item);

    Paste_Popup_Events* Events_ = nullptr;
    HWND Edit_ = nullptr, List_ = nullptr;
    std::vector<Popup_Line> Lines_;
    Control_Font Font_;
    int Dpi_ = 96;
    bool Painted_ = false;
};

// The desktop for Quick Paste: the hotkey on the main window, the window the user types in,
// monitors, and the paste keystroke with what decides when to send it.
class Win32_Paste_Desk final : public Quick_Paste_Desk {
  public:
    Win32_Paste_Desk(HINSTANCE Instance, HWND Main);
    ~Win32_Paste_Desk() override;

    bool Register_Hotkey(int Key, int Modifiers) override;
    void Unregister_Hotkey() override;
    bool Hotkey_Taken(int Key, int Modifiers) override;
    std::string Key_Name(int Key) const override;
    Paste_Target Focus_Target() override;
    Monitor_Area Monitor_At(int X, int Y) const override;
    void Focus_To(Window_Id Window) override;
    void Wait_To_Paste(bool On) override;
    bool Keys_Held() override;
    bool Is_Window(Window_Id Window) override;
    Window_Id Front_Window() override;
    void Send_Paste() override;
    void Raise_Own_Window() override;
    Paste_Popup& Popup() override { return Popup_; }
    Paste_Popup_Window& Window() { return Popup_; }

  private:
    HWND Main_;
    Paste_Popup_Window Popup_;
    bool Registered_ = false;
    int Key_ = 0, Modifiers_ = 0;
};

// Our modifier bits (1 Shift, 2 Ctrl, 4 Alt, 8 Win) as RegisterHotKey's MOD_ bits, without
// repeats of a held key; and a hotkey control's HOTKEYF_ bits as ours, and back.
UINT Hotkey_Mod_Bits(int Modifiers);
int Modifiers_From_Hotkeyf(int Hotkeyf);
int Hotkeyf_From_Modifiers(int Modifiers);

// With PIMLOFT_TIMING set, the time from WM_HOTKEY to the popup's first paint goes to the
// program's log, one line each.
void Paste_Timing_Start();
