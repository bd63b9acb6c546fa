#pragma once
#include "platform/Cipher.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/File_System.h"
#include "platform/Fonts.h"
#include "platform/Main_Window.h"
#include "platform/Menu.h"
#include "platform/Message_Box.h"
#include "platform/Printer.h"
#include "platform/Process.h"
#include "platform/Quick_Paste.h"
#include "platform/Registry.h"
#include "platform/Surface.h"
#include "platform/Text.h"
#include "platform/Trace.h"
#include "platform/Tray.h"
#include "platform/Worker.h"

// Every outside service the logic uses, handed over in one piece so that a test swaps them
// all at once. The program builds it once in WinMain; it outlives the main window's logic.
struct Platform_Context {
    Main_Window& Window;
    System_Colors& Colors;
    Tray_Icon& Tray;
    Popup_Menu& Menu;
    Message_Box& Box;
    Clipboard& Clip;
    Clipboard_Watcher& Watcher;
    Text_Codec& Text;
    File_System& Files;
    Process_Info& Process;
    Shell& Launcher;
    Printer& Print_Device;
    Registry& Reg;
    Font_Chooser& Fonts;
    Dialog_Factory& Dialogs;
    Trace& Log;
    Background_Worker& Worker;
    Quick_Paste_Desk& Paste_Desk;
    Cipher& Crypto;
};
