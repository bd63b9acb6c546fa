#pragma once
#include "resources/resource.h"
#include "win32/Unique_Handle.h"

#include <windows.h>

#include <string>
#include <string_view>

// What the windows of ours share: their classes, the program's icon, controls with their text
// and font, a place on the screen, and the default printer.

// A window class whose windows run Window_Object's procedure, with the arrow cursor.
struct Window_Class {
    const wchar_t* Name;
    UINT Style = 0;      // CS_ bits
    int Background = -1; // a COLOR_ index; -1: none, the window paints all of itself
    bool Icon = false;   // the program's icon, in the caption and on Alt+Tab
};
// A second registration of the same class is harmless.
void Register_Window_Class(HINSTANCE Instance, const Window_Class& Class);

enum class Icon_Size { Large, Small };
// The program's icon at the system's size. Shared: the system owns it and nothing frees it.
HICON Program_Icon(HINSTANCE Instance, Icon_Size Size, int Id = IDI_PIMLOFT);

// A visible child control of no size yet: a dialog places it and gives it its font at its dpi.
HWND Make_Control(HWND Parent, const wchar_t* Class, const wchar_t* Text, DWORD Style, int Id,
                  DWORD Ex_Style = 0);
void Set_Text_Utf8(HWND Window, std::string_view Utf8);
std::wstring Window_Text(HWND Window);

// DEFAULT_GUI_FONT is made once for the screen's dpi; this is the same font at Dpi, and
// at 96 dpi the same height as on a 96-dpi screen.
Unique_Gdi Gui_Font_At(int Dpi);
// The controls' font at a window's dpi, kept while they use it.
class Control_Font {
  public:
    // To every control of Window, nested ones included.
    void Apply(HWND Window, int Dpi);

  private:
    Unique_Gdi Font_;
};

// Centres the window on the work area of the monitor under the pointer.
void Centre_On_Screen(HWND Window);

// The default printer's name. Empty when there is none or it cannot be read; Why then holds
// the system's error (0 or ERROR_FILE_NOT_FOUND: there is none).
std::wstring Default_Printer(DWORD* Why = nullptr);
