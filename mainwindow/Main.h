#pragma once
#include "mainwindow/Accessible_List.h"
#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Command_Context.h"
#include "mainwindow/History_Keeper.h"
#include "mainwindow/List_View.h"
#include "mainwindow/Save_Schedule.h"
#include "mainwindow/Slot_Store.h"
#include "platform/Main_Window_Events.h"

#include <functional>
#include <string>

struct Platform_Context;

// How often unlocked slots and history texts are checked for their age while running.
inline constexpr int Expiry_Every_Ms = 60 * 60 * 1000;

// Hands the store's changes to one function.
struct Hears final : Store_Observer {
    explicit Hears(std::function<void(const Change&)> Function) : Hear(std::move(Function)) {}
    void Changed(const Change& What) override { Hear(What); }
    std::function<void(const Change&)> Hear;
};

// The main window's controller: it owns the slot store and the parts that show and keep it,
// turns the window's events into their operations, and hosts the commands. One lives for the
// whole run.
class Main final : public Main_Window_Events, Command_Host {
  public:
    Main(Platform_Context& Platform, Command_Set& Kept, const Command_Hooks& Hooks);
    ~Main();

    // Start-up: the pictures, the tray icon, the data loaded, the window placed and hidden, the
    // clipboard watched; then the commands' own start.
    void Start();
    // A tray event; true when it was consumed. Place: where a menu opens.
    bool Tray_Dispatch(Tray_Event Event, Menu_Place Place = {});
    // A line of the popup menu, as if chosen.
    void Run_Menu_Command(Menu_Item Item);
    // What the window's accessible object reads.
    Reader_Rows& Reader() { return Reader_; }

    Slot_Store& Store() { return Store_; }
    const Slot_Store& Store() const { return Store_; }
    const List_View& View() const { return View_; }
    Save_Schedule& Saves() { return Saves_; }
    const std::string& Data_File() const { return Where_.Data_File; }
    bool Exiting() const { return Exiting_; }
    // The tray tip: "PimLoft 1.0.8", with " (paused)" while capture is.
    std::string Tray_Tip() const;

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
    bool Select_Item(int16_t Slot) override;
    void Set_Tip_Text(const std::string& Text) override;
    void Tell_User(const std::string& Text) override;
    Ui_State Ui() const override;
    void Show() override;
    void Exit(bool Ask_On_Failure = true) override;
    void Follow(Store_Observer* Popup) override { Popup_ = Popup; }
    const std::string& Help_File() const override { return Help_File_; }
    void Clear_History() override { History_.Clear(); }
    void Rewrite_Data_File() override { Saves_.Write_Whole_Soon(); }

    // Drawing: rows added or removed change the window's height, other changes only a row.
    void Redraw(const Change& What);
    // The tray icon and tip follow the pause setting.
    void Show_Capture_State();
    // Clears the unlocked slots and forgets the history texts older than the days the user
    // keeps copies; waits for an open dialog or box, whose slot it might be.
    void Expire_Old();
    void Settings_Changed();
    // Keeps the registry's note of pause or exclusions in step with the settings; at the load,
    // a note the loaded settings lack is told.
    void Mark_Privacy(bool Loading);
    void Refresh_Pics();
    void Form_Resize();
    void Place_Window();

    // Input on the surface and on the row hit area Tip (its X, Y in twips).
    void Form_MouseDown(double Y);
    void Form_MouseMove(double Y);
    void Form_MouseUp(int Button, double X, double Y);
    void Form_DblClick();
    void Form_KeyDown(Key KeyCode, int Shift);
    void Tip_MouseDown(int Button, int Shift);
    void Tip_MouseUp(int Button);
    void Toggle_Lock(int16_t Slot);
    void Move_Selected(Key KeyCode);
    bool Row_Exists(int Row) const;
    // The slot shown on an existing row; Nil_Slot for a row the last lay-out left without one.
    int16_t Slot_On_Row(int Row) const;
    bool Row_Default_Action(int Row);
    Menu_Place Selected_Row_Place() const;

    // Menus and shortcuts.
    void Row_Context_Menu(Menu_Place Place = {});
    Menu_Item Track_Menu(Way Menu, Menu_Item Default_Item, Menu_Place Place = {});
    bool Run_Shortcut(Key K, int Modifiers);

    Platform_Context& P;
    const Command_Hooks Hooks_;
    const Data_Location Where_;
    const std::string Help_File_;
    bool Tray_Busy_ = false;
    bool Tray_Paused_ = false; // what the tray icon shows
    uint16_t Expire_Days_ = 0; // as expiry last saw them
    bool Expiry_Waits_ = false;
    bool Loaded_Seen_ = false;    // the loaded settings were checked
    bool Privacy_Marked_ = false; // the registry notes pause or exclusions for this data file
    // Set once the exit sequence runs: nothing is filed or saved after it.
    bool Exiting_ = false;

    // The parts hear the store in this order: the drawn list before the readers, who are told
    // of the rows it shows; then the popup, which the commands make, and the history.
    List_View View_;
    Save_Schedule Saves_;
    Hears Drawn_List_{[this](const Change& C) { Redraw(C); }};
    Reader_Notifier Readers_;
    Store_Observer* Popup_ = nullptr;
    Hears Popup_Follows_{[this](const Change& C) {
        if (Popup_ && Changes_Data(C.Kind)) Popup_->Changed(C);
    }};
    History_Keeper History_;
    Hears Settings_{[this](const Change& C) {
        if (C.Kind == Change_Kind::Settings || C.Kind == Change_Kind::Loaded) Settings_Changed();
    }};
    Slot_Store Store_{{&Saves_, &Drawn_List_, &Readers_, &Popup_Follows_, &History_, &Settings_}};
    Capture_Gate Gate_;
    List_Reader Reader_;
    Command_Context Context_;
};
