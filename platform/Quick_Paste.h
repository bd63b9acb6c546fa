#pragma once
#include "platform/Geometry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What Quick Paste needs from the desktop: a global hotkey, the window the user types in (its
// caret, its monitor) and the paste keystroke sent back to it, and the popup itself.

using Window_Id = uintptr_t;

// The window that had the keyboard focus when the hotkey came, and where to show the popup
// for it. Screen pixels.
struct Paste_Target {
    Window_Id Window = 0;
    bool Has_Caret = false;
    Rect Caret;                       // the caret of that window's thread
    int Pointer_X = 0, Pointer_Y = 0; // where the mouse pointer is
    bool Elevated = false;            // runs with higher rights than ours: keystrokes are dropped
};

// A monitor's work area (without the taskbar) in screen pixels, and its dots per inch.
struct Monitor_Area {
    Rect Work;
    int Dpi = 96;
};

// One line of the popup. Number is '1'..'9', '0', or ' ' for none.
struct Popup_Line {
    char Number = ' ';
    bool Locked = false;
    std::string Label; // drawn on one line, cut to the width with an ellipsis
    std::string Note;  // drawn whole at the right, after the label: an older text's age, program
    bool operator==(const Popup_Line&) const = default;
};

// The keys the popup hands over. Home, End and the digits come only with Ctrl: without it
// they edit the filter box.
// Forget: Shift+Del, taken from the filter box, where it would cut.
enum class Popup_Key { Up, Down, Page_Up, Page_Down, Home, End, Enter, Escape, F1, Digit, Forget };

struct Paste_Popup_Events {
    virtual ~Paste_Popup_Events() = default;
    virtual void Filter_Changed(std::string_view Utf8) = 0;
    // Modifiers: Shift_Mask, Ctrl_Mask, Alt_Mask. Digit: 0..9 for Popup_Key::Digit.
    virtual void Key_Down(Popup_Key Key, int Modifiers, int Digit) = 0;
    virtual void Line_Clicked(int Line) = 0;
    // The popup lost the activation (a click outside it); it is still shown.
    virtual void Deactivated() = 0;
    // A tick of the paste's wait (Quick_Paste_Desk::Wait_To_Paste).
    virtual void Paste_Tick() = 0;
};

inline constexpr int Paste_Tick_Ms = 10;

// A topmost window without a taskbar button: a filter box above a list, both standard
// controls so that focus and screen readers work.
struct Paste_Popup {
    virtual ~Paste_Popup() = default;
    virtual void Set_Events(Paste_Popup_Events* Events) = 0;
    // Shown and activated at Bounds, drawn for Dpi, with an empty filter box that has the focus.
    virtual void Show(const Rect& Bounds, int Dpi) = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    virtual void Set_Lines(const std::vector<Popup_Line>& Lines) = 0;
    virtual void Set_Choice(int Line) = 0; // -1: none
    virtual int Page_Lines() const = 0;    // lines one page shows
};

struct Quick_Paste_Desk {
    virtual ~Quick_Paste_Desk() = default;
    // Key: a virtual-key code; Modifiers: the mask bits, Win_Mask included. Repeats of a held
    // hotkey are not delivered. False when another program holds the combination.
    virtual bool Register_Hotkey(int Key, int Modifiers) = 0;
    virtual void Unregister_Hotkey() = 0;
    // Whether another program holds the combination now (ours does not count).
    virtual bool Hotkey_Taken(int Key, int Modifiers) = 0;
    // The key's name on the keyboard in use: "`" for VK_OEM_3 on a US layout.
    virtual std::string Key_Name(int Key) const = 0;
    virtual Paste_Target Focus_Target() = 0;
    // The monitor nearest the point.
    virtual Monitor_Area Monitor_At(int X, int Y) const = 0;
    // Gives the focus back to the window; the system may refuse.
    virtual void Focus_To(Window_Id Window) = 0;
    // While on, the popup's events get a Paste_Tick about every Paste_Tick_Ms.
    virtual void Wait_To_Paste(bool On) = 0;
    // Whether the user holds Ctrl, Shift, Alt or Win: they would change the keystroke.
    virtual bool Keys_Held() = 0;
    virtual bool Is_Window(Window_Id Window) = 0;
    virtual Window_Id Front_Window() = 0;
    // Sends the paste keystroke, Ctrl+V, to whatever window is in front.
    virtual void Send_Paste() = 0;
    // Brings our own open dialog or box to the front.
    virtual void Raise_Own_Window() = 0;
    virtual Paste_Popup& Popup() = 0;
};
