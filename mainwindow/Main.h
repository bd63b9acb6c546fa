#pragma once
#include "platform/PlatformContext.h"
#include "slots/LinkList.h"
#include "storage/Utilities.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// The menu commands that live with their dialogs. The main window's input and tray handlers
// reach them through this table, which the dialogs layer fills in.
struct Command_Handlers {
    virtual ~Command_Handlers() = default;
    virtual void mnuEdit_Click() = 0;
    virtual void mnuAdd_Click() = 0;
    virtual void mnuCopy_Click() = 0;
    virtual void mnuClear_Click() = 0;
    virtual void mnuDelete_Click() = 0;
    virtual void mnuPrint_Click() = 0;
    virtual void mnuOptions_Click() = 0;
    virtual void mnuTop_Click() = 0;
    virtual void mnuHelp_Click() = 0;
    virtual void mnuAbout_Click() = 0;
};

// Close-request modes, as the window system reports why the window is closing.
inline constexpr int Unload_Close_Box = 0;
inline constexpr int Unload_Program = 1;
inline constexpr int Unload_Session_End = 2;
inline constexpr int Unload_Task_Manager = 3;

// The main window's state: the slot list and settings it shows, and everything the window
// owns. One lives for the whole run.
struct Main {
    explicit Main(Platform_Context& Platform) : P(Platform) {}
    Main(const Main&) = delete;
    Main& operator=(const Main&) = delete;

    Platform_Context& P;
    Command_Handlers* Commands = nullptr;

    LinkList List;
    Utilities Util;

    Slot_Record Blank_Slot;
    bool Ignore_Clip = false;
    int Border_Height = 0; // twips
    int32_t Tray_Msg = 0;
    bool Tray_Busy = false;
    std::string Help_File;
    // Set once the exit sequence runs: nothing is filed or saved after it.
    bool Exiting = false;

    std::array<int16_t, Max_Slots> Row_Slot{};
    bool Resizing = false;
    std::unique_ptr<Surface> pArrowUp, pArrowDown, pLockUp, pLockDown, TextNorm, TextHigh;
    int TextNorm_Left = 48;

    int Tip_Top = 0;
    int Tip_Width = 0;
    std::string Tip_Text;
    bool Dragging = false;
    int16_t Drag_From = Nil_Slot;
    int Splitter_Top = 0;
    bool Splitter_Visible = false;

    // Nested loops of our own (menu, message boxes, dialogs) defer captures until they end.
    int Nested_Loops = 0;
    bool Capture_Pending = false;

    // Raised by every change worth saving; the save timer writes the file after a burst.
    uint64_t Change_Count = 0;
    uint64_t Saved_Count = 0;
    std::string Last_Save_Error;
};
