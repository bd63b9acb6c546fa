#pragma once
#include "mainwindow/Main.h"
#include "platform/Main_Window_Events.h"

// The main window's events handed to the logic's handlers: which timer does what, what a
// close means, which pointer handler an area takes.
class Main_Controller final : public Main_Window_Events {
  public:
    // Open_On_Hotkey: what the global hotkey opens; it belongs to the commands above this layer.
    Main_Controller(Main& M, void (*Open_On_Hotkey)(Main&)) : M_(M), Hotkey_(Open_On_Hotkey) {}

    void Pointer(const Pointer_Event& E) override;
    void Capture_Lost() override;
    void Key_Down(Key K, int Modifiers) override;
    void Tray(Tray_Event What, Menu_Place Place) override;
    void Timer(Timer_Id Id) override;
    void Clipboard_Changed() override;
    void Worker_Done(Work_Lane Lane) override;
    void Hotkey() override;
    void Close(Unload_Mode Why) override;
    void Resized() override;
    void Dpi_Changed() override;
    void Colors_Changed() override;
    void Taskbar_Created() override;
    void Show_Asked() override;

  private:
    Main& M_;
    void (*Hotkey_)(Main&);
};
