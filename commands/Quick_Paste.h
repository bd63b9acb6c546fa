#pragma once
#include "mainwindow/History_Keeper.h"
#include "mainwindow/Slot_Store.h"
#include "platform/Quick_Paste.h"
#include "slots/Text_Search.h"
#include "storage/Settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Command_Context;

// The Quick Paste popup and its hotkey: the slots reached from the keyboard in whatever program
// the user types in, found by typing part of them, and pasted there with one key. One lives for
// the whole run; it does nothing while the popup is closed.
class Quick_Paste final : public Store_Observer, Paste_Popup_Events {
  public:
    explicit Quick_Paste(Command_Context& Ctx);
    ~Quick_Paste() override;
    Quick_Paste(const Quick_Paste&) = delete;
    Quick_Paste& operator=(const Quick_Paste&) = delete;

    // Registers the hotkey the settings ask for, or none. When another program holds it, the
    // user is told once for that combination.
    void Apply_Settings();
    void Hotkey_Pressed();
    // The slots changed: an open popup's lines follow, keeping the chosen slot where it can.
    void Changed(const Change& What) override;

    bool Open() const { return Open_; }
    bool Registered() const { return Registered_; }
    const std::vector<int16_t>& Listed() const { return Slots_; }
    // The chosen line's slot; Nil_Slot for none or an older text.
    int16_t Chosen() const;

  private:
    void Filter_Changed(std::string_view Utf8) override;
    void Key_Down(Popup_Key Key, int Modifiers, int Digit) override;
    void Line_Clicked(int Line) override;
    void Deactivated() override;
    void Paste_Tick() override;

    void Show_Lines(int16_t Keep);
    // Asks the history for the older texts that match the filter; they follow the slots.
    void Search_Older();
    void Take_Older(std::vector<Older_Text> Batch);
    void Choose(int Line);
    int Line_Count() const { return static_cast<int>(Slots_.size() + Older_.size()); }
    void Paste_Older(const Older_Text& T, bool Keystroke);
    void Paste_Written(bool Written, bool Keystroke);
    void Close();
    void Paste(int Line, bool Keystroke);
    void Stop_Waiting();

    Command_Context& M_;
    Quick_Paste_Desk& Desk_;
    const Case_Table Cases_;
    bool Open_ = false;
    std::string Filter_;
    std::vector<int16_t> Slots_;
    // The older texts listed after the slots, newest first; none that a slot holds.
    std::vector<Older_Text> Older_;
    int Choice_ = -1;
    Paste_Target Target_;
    // A paste waits for the user's keys to come up and the target to come to the front.
    struct Waiting_Paste {
        Window_Id Window = 0;
        uint32_t Sequence = 0; // the clipboard's, after our write
        int Ticks = 0;
    };
    std::optional<Waiting_Paste> Waiting_;
    bool Registered_ = false;
    std::optional<Hotkey> Told_Taken_;
    bool Told_Elevated_ = false;
};

// The most older texts the popup lists at once; more come as the choice reaches the last.
inline constexpr size_t Max_Older_Lines = 1000;

// The program's start, after the data is loaded: the hotkey as the settings ask.
void Start_Quick_Paste(Command_Context& Ctx);
// WM_HOTKEY.
void Quick_Paste_Hotkey(Command_Context& Ctx);
// The section of the help page that describes Quick Paste.
inline constexpr char Quick_Paste_Anchor[] = "quick-paste";
