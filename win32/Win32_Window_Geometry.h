#pragma once
#include "mainwindow/Row_Geometry.h"
#include "platform/Modifiers.h"

#include <windows.h>

// The main window's place is kept in twips, whole ones per pixel.
inline int Twips_Per_Pixel(int Dpi) {
    return Twips_Per_Inch / (Dpi > 0 ? Dpi : Base_Dpi);
}
// A length of a design in twips (the About box's) at Dpi.
inline int Twips_At_Dpi(int Twips, int Dpi) {
    return MulDiv(Twips, Dpi, Twips_Per_Inch);
}

// While the user drags a frame edge, the proposed rectangle keeps Height, anchored on the edge
// that is not moving, so the window never shows a partial row.
inline void Keep_Height(RECT& R, WPARAM Edge, int Height) {
    switch (Edge) {
    case WMSZ_TOP:
    case WMSZ_TOPLEFT:
    case WMSZ_TOPRIGHT:
        R.top = R.bottom - Height;
        break;
    case WMSZ_BOTTOM:
    case WMSZ_BOTTOMLEFT:
    case WMSZ_BOTTOMRIGHT:
        R.bottom = R.top + Height;
        break;
    default:
        break;
    }
}

// The modifiers held now, as the handlers take them.
inline int Modifier_State() {
    return (GetKeyState(VK_SHIFT) < 0 ? Shift_Mask : 0) |
           (GetKeyState(VK_CONTROL) < 0 ? Ctrl_Mask : 0) |
           (GetKeyState(VK_MENU) < 0 ? Alt_Mask : 0);
}

// Buttons held during a move, as a bit set: 1 left, 2 right, 4 middle.
inline int Held_Buttons(WPARAM Keys) {
    return (Keys & MK_LBUTTON ? 1 : 0) | (Keys & MK_RBUTTON ? 2 : 0) | (Keys & MK_MBUTTON ? 4 : 0);
}

enum class Pointer_Kind { None, Down, Up, Double_Click, Move };

struct Pointer_Message {
    Pointer_Kind Kind = Pointer_Kind::None;
    int Button = 0; // 1 left, 2 right, 4 middle
};

// The pointer messages both the window and Tip handle. Only a left double click opens the
// editor; a right or middle one is one more press.
inline Pointer_Message Pointer_Message_Of(UINT Msg) {
    switch (Msg) {
    case WM_LBUTTONDOWN:
        return {Pointer_Kind::Down, 1};
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        return {Pointer_Kind::Down, 2};
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return {Pointer_Kind::Down, 4};
    case WM_LBUTTONUP:
        return {Pointer_Kind::Up, 1};
    case WM_RBUTTONUP:
        return {Pointer_Kind::Up, 2};
    case WM_MBUTTONUP:
        return {Pointer_Kind::Up, 4};
    case WM_LBUTTONDBLCLK:
        return {Pointer_Kind::Double_Click, 1};
    case WM_MOUSEMOVE:
        return {Pointer_Kind::Move, 0};
    default:
        return {};
    }
}

// The main window and Tip take the same pointer messages, each with its own typed handlers.
template <typename Window>
void Dispatch_Pointer(Window& Self, const Pointer_Message& P, WPARAM W, LPARAM L) {
    switch (P.Kind) {
    case Pointer_Kind::Down:
        return Self.On_Button_Down(P.Button, L);
    case Pointer_Kind::Up:
        return Self.On_Button_Up(P.Button, W, L);
    case Pointer_Kind::Double_Click:
        return Self.On_Double_Click();
    case Pointer_Kind::Move:
        return Self.On_Mouse_Move(W, L);
    case Pointer_Kind::None:
        return;
    }
}
