#pragma once
#include "platform/PlatformContext.h"
#include "tests/doubles/Call_Log.h"
#include "tests/doubles/Cp1252_Codec.h"
#include "tests/doubles/Fake_Clipboard.h"
#include "tests/doubles/Fake_Dialogs.h"
#include "tests/doubles/Fake_Fonts.h"
#include "tests/doubles/Fake_Main_Window.h"
#include "tests/doubles/Fake_Message_Box.h"
#include "tests/doubles/Fake_Popup_Menu.h"
#include "tests/doubles/Fake_Printer.h"
#include "tests/doubles/Fake_Process_Info.h"
#include "tests/doubles/Fake_Registry.h"
#include "tests/doubles/Fake_Shell.h"
#include "tests/doubles/Fake_System_Colors.h"
#include "tests/doubles/Fake_Tray_Icon.h"
#include "tests/doubles/Memory_File_System.h"

// One of every double and the context made from them: `Test_Platform T; Main M(T.Context);`.
// Window, tray, menu, message box, clipboard and watcher also write to the shared Log, so a
// test can check the order of steps across them.
struct Test_Platform {
    Call_Log Log;
    Fake_System_Colors Colors;
    Fake_Main_Window Window{Colors};
    Fake_Tray_Icon Tray;
    Fake_Popup_Menu Menu;
    Fake_Message_Box Box;
    Fake_Clipboard Clip_Board;
    Fake_Clip_Watcher Clip;
    Cp1252_Codec Text;
    Memory_File_System Files;
    Fake_Process_Info Process;
    Fake_Shell Shell_;
    Fake_Printer Printer_;
    Fake_Registry Registry_;
    Fake_Font_Chooser Fonts;
    Fake_Dialog_Factory Dialogs;

    Platform_Context Context{Window, Colors,  Tray,   Menu,     Box,       Clip_Board, Clip,   Text,
                             Files,  Process, Shell_, Printer_, Registry_, Fonts,      Dialogs};

    Test_Platform() {
        Window.Shared = &Log;
        Tray.Shared = &Log;
        Menu.Shared = &Log;
        Box.Shared = &Log;
        Clip_Board.Shared = &Log;
        Clip.Shared = &Log;
    }
    Test_Platform(const Test_Platform&) = delete;
    Test_Platform& operator=(const Test_Platform&) = delete;
};
