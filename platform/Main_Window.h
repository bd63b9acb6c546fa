#pragma once
#include "platform/Surface.h"

#include <memory>
#include <string_view>

// The window's one-shot timers. Each fires once unless started again; starting one that runs
// restarts its delay.
enum class Timer_Id { Save, Clip_Retry, History_Rewrite, Expiry };
inline constexpr Timer_Id Timer_Ids[] = {Timer_Id::Save, Timer_Id::Clip_Retry,
                                         Timer_Id::History_Rewrite, Timer_Id::Expiry};

// What screen readers hear of the list, as Windows' own list boxes tell it.
enum class Reader_Event { Focus, Selection, Name_Change, Description_Change, Reorder };

enum Window_State_Value : int { Window_Normal = 0, Window_Minimized = 1, Window_Maximized = 2 };

// The main window as the logic sees it: sizes, visibility, the back buffer all list drawing
// goes to, the row hit area Tip with its tool tip, the drag bar and the timers.
// Outer position and size are in twips, the client area in pixels.
struct Main_Window {
    virtual ~Main_Window() = default;

    virtual int Window_State() const = 0;
    virtual int Client_Width() const = 0;
    virtual int Client_Height() const = 0;
    virtual double Left() const = 0;
    virtual double Top() const = 0;
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    virtual void Set_Left(double Twips) = 0;
    virtual void Set_Top(double Twips) = 0;
    virtual void Set_Width(double Twips) = 0;
    // Raises the resize event before it returns, as the system does.
    virtual void Set_Height(double Twips) = 0;
    virtual int Twips_Per_Pixel_Y() const = 0;
    // The window's dots per inch: 96 unless the system scales the screen.
    virtual int Dpi() const { return 96; }
    virtual double Screen_Width() const = 0;  // twips
    virtual double Screen_Height() const = 0; // twips

    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    virtual void Set_Caption(std::string_view Utf8) = 0;
    virtual void Set_Topmost(bool On_Top) = 0; // SetWindowPos, no move, no size
    virtual void Set_Foreground() = 0;
    virtual void Post_User_Message() = 0; // PostMessage(WM_USER, 0, 0)
    // Ends the message loop once the current handler returns; the process then exits.
    virtual void End_Program() = 0;

    virtual Surface& Back_Buffer() = 0;
    virtual void Clear_Back_Buffer() = 0; // to the window's background colour
    virtual void Present() = 0;
    virtual std::unique_ptr<Surface> New_Surface(int Width, int Height) = 0;

    // Tip: a transparent child over one row's text; its pointer events reach the Tip_ handlers.
    virtual void Set_Tip_Bounds(int Left, int Top, int Width, int Height) = 0;
    virtual void Set_Tip_Text(std::string_view Utf8) = 0;
    // PicSplitter: the drag bar, filled with COLOR_BTNSHADOW.
    virtual void Set_Splitter(bool Visible, int Left, int Top, int Width, int Height) = 0;

    // Row: the row's child of the list; -1 for the list itself.
    virtual void Tell_Reader(Reader_Event What, int Row) = 0;

    virtual void Start_Timer(Timer_Id Id, int Milliseconds) = 0;
    virtual void Stop_Timer(Timer_Id Id) = 0;
};
