#pragma once
#include <windows.h>

// Before Windows 10 there is one dpi for every window: the screen's.
int Window_Dpi(HWND Window);
int Monitor_Dpi(HMONITOR Monitor);
// A length of the 96-dpi design at Dpi.
inline int At_Dpi(int Pixels, int Dpi) {
    return MulDiv(Pixels, Dpi, 96);
}
// The outer size of a window whose client area is Width x Height, its frame drawn at Dpi.
SIZE Outer_Size_At(DWORD Style, DWORD Ex_Style, int Width, int Height, int Dpi);
