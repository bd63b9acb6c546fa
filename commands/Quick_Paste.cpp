#include "commands/Quick_Paste.h"

#include "commands/Command_Table.h"
#include "commands/Paste_Lines.h"
#include "commands/Slot_Commands.h"
#include "mainwindow/Availability.h"
#include "mainwindow/Command_Context.h"
#include "platform/Platform_Context.h"

#include <algorithm>
#include <chrono>

Quick_Paste::Quick_Paste(Command_Context& Ctx)
    : M_(Ctx), Desk_(Ctx.P.Paste_Desk), Cases_(Ctx.P.Text) {
    Desk_.Popup().Set_Events(this);
}

// The main window's logic, its history with it, is gone by now.
Quick_Paste::~Quick_Paste() {
    Stop_Waiting();
    Desk_.Popup().Set_Events(nullptr);
    if (Registered_) Desk_.Unregister_Hotkey();
}

void Quick_Paste::Apply_Settings() {
    if (Registered_) Desk_.Unregister_Hotkey();
    Registered_ = false;
    const Settings& U = M_.Store.Util();
    const Hotkey Key = U.Quick_Paste_Key;
    if (!U.Quick_Paste_On || Key.Key == 0) return;
    Registered_ = Desk_.Register_Hotkey(Key.Key, Key.Modifiers);
    if (Registered_ || Told_Taken_ == Key) return;
    Told_Taken_ = Key;
    M_.Host.Tell_User("Another program holds " + Hotkey_Name(Key, Desk_.Key_Name(Key.Key)) +
                      ", so it cannot open Quick Paste. Choose another hotkey in Options.");
}

void Quick_Paste::Hotkey_Pressed() {
    if (Open_) {
        Close();
        Desk_.Focus_To(Target_.Window);
        return;
    }
    if (const Ui_State S = M_.Host.Ui(); !Availability(Way::Hotkey, S).Offered) {
        // The open dialog or box comes to the front instead.
        if (S.In_Loop) Desk_.Raise_Own_Window();
        return;
    }
    // A paste still waiting for keys would land in whatever the new opening leads to.
    Stop_Waiting();
    Target_ = Desk_.Focus_Target();
    const bool Caret = Target_.Has_Caret;
    const Monitor_Area Monitor = Desk_.Monitor_At(Caret ? Target_.Caret.Left : Target_.Pointer_X,
                                                  Caret ? Target_.Caret.Top : Target_.Pointer_Y);
    Open_ = true;
    Filter_.clear();
    Show_Lines(M_.Store.Current());
    Desk_.Popup().Show(Place_Popup(Target_, Monitor), Monitor.Dpi);
    Search_Older();
}

void Quick_Paste::Changed(const Change&) {
    if (Open_) Show_Lines(Chosen());
}

int16_t Quick_Paste::Chosen() const {
    return Choice_ >= 0 && Choice_ < static_cast<int>(Slots_.size())
               ? Slots_[static_cast<size_t>(Choice_)]
               : Nil_Slot;
}

namespace {

bool Held_By_A_Slot(const LinkList& List, const std::string& Text) {
    bool Held = false;
    Each_Slot(List, [&](int16_t, const Slot_Record& R) { Held = Held || R.Text == Text; });
    return Held;
}

} // namespace

void Quick_Paste::Show_Lines(int16_t Keep) {
    const LinkList& List = M_.Store.List();
    const int Older_Chosen = Choice_ - static_cast<int>(Slots_.size());
    Slots_ = Paste_Slots(List, Filter_, Cases_);
    // A text filed since the search is a slot now: listed once, as the slot.
    std::erase_if(Older_, [&](const Older_Text& T) { return Held_By_A_Slot(List, T.Text); });
    std::vector<Popup_Line> Lines = Paste_Lines(List, Slots_);
    const auto Now = static_cast<uint64_t>(Utc_Now());
    for (const Older_Text& T : Older_)
        Lines.push_back(Older_Line(T, Now));
    Desk_.Popup().Set_Lines(Lines);
    if (Keep == Nil_Slot && Older_Chosen >= 0)
        return Choose(static_cast<int>(Slots_.size()) + Older_Chosen);
    const auto Kept = std::ranges::find(Slots_, Keep);
    Choose(Kept != Slots_.end() ? static_cast<int>(Kept - Slots_.begin()) : 0);
}

void Quick_Paste::Search_Older() {
    Older_.clear();
    M_.History.Search(
        Filter_, Cases_, Max_Older_Lines,
        [this](std::vector<Older_Text> Batch, bool) { Take_Older(std::move(Batch)); });
}

void Quick_Paste::Choose(int Line) {
    const int Last = Line_Count() - 1;
    Choice_ = Last < 0 ? -1 : std::clamp(Line, 0, Last);
    Desk_.Popup().Set_Choice(Choice_);
    if (Choice_ == Last && Choice_ >= static_cast<int>(Slots_.size()) && M_.History.Has_More())
        M_.History.Search_More(Max_Older_Lines, [this](std::vector<Older_Text> Batch, bool) {
            Take_Older(std::move(Batch));
        });
}

// Older lines come after the slots, the first ones leaving so that at most Max_Older_Lines
// stay; the choice stays on its text.
void Quick_Paste::Take_Older(std::vector<Older_Text> Batch) {
    if (!Open_) return;
    for (Older_Text& T : Batch)
        Older_.push_back(std::move(T));
    const size_t Over = Older_.size() > Max_Older_Lines ? Older_.size() - Max_Older_Lines : 0;
    Older_.erase(Older_.begin(), Older_.begin() + static_cast<ptrdiff_t>(Over));
    const int Was = Choice_ - static_cast<int>(Over);
    Show_Lines(Chosen());
    if (Was >= 0) Choose(Was);
}

void Quick_Paste::Filter_Changed(std::string_view Utf8) {
    if (!Open_) return;
    Filter_ = Utf8;
    Older_.clear();
    Choice_ = -1;
    Show_Lines(Nil_Slot);
    Search_Older();
}

void Quick_Paste::Key_Down(Popup_Key Key, int Modifiers, int Digit) {
    if (!Open_) return;
    const int Page = std::max(1, Desk_.Popup().Page_Lines());
    switch (Key) {
    case Popup_Key::Up:
        return Choose(Choice_ - 1);
    case Popup_Key::Down:
        return Choose(Choice_ + 1);
    case Popup_Key::Page_Up:
        return Choose(Choice_ - Page);
    case Popup_Key::Page_Down:
        return Choose(Choice_ + Page);
    case Popup_Key::Home:
        return Choose(0);
    case Popup_Key::End:
        return Choose(Line_Count() - 1);
    case Popup_Key::Forget: {
        const int Older = Choice_ - static_cast<int>(Slots_.size());
        if (Older < 0) return;
        M_.History.Forget(Older_[static_cast<size_t>(Older)].Name);
        Older_.erase(Older_.begin() + Older);
        return Show_Lines(Nil_Slot);
    }
    case Popup_Key::Enter:
        return Paste(Choice_, (Modifiers & Shift_Mask) == 0);
    case Popup_Key::Digit:
        return Paste(Digit == 0 ? 9 : Digit - 1, true);
    case Popup_Key::Escape:
        Close();
        return Desk_.Focus_To(Target_.Window);
    case Popup_Key::F1: {
        Close();
        M_.P.Launcher.Open_Document(File_Url(Html_Manual(M_), Quick_Paste_Anchor));
        return;
    }
    }
}

void Quick_Paste::Line_Clicked(int Line) {
    if (Open_) Paste(Line, true);
}

void Quick_Paste::Deactivated() {
    if (Open_) Close();
}

void Quick_Paste::Close() {
    Open_ = false;
    M_.History.Stop_Search();
    Older_.clear();
    Desk_.Popup().Hide();
}

void Quick_Paste::Paste(int Line, bool Keystroke) {
    if (Line < 0 || Line >= Line_Count()) return;
    if (Line >= static_cast<int>(Slots_.size())) {
        const Older_Text T = Older_[static_cast<size_t>(Line) - Slots_.size()];
        return Paste_Older(T, Keystroke);
    }
    const int16_t Slot = Slots_[static_cast<size_t>(Line)];
    Close();
    // What a click on the slot's row does: it becomes the selection and goes on the clipboard.
    Paste_Written(M_.Host.Select_Item(Slot), Keystroke);
}

// Pasted as a slot is, and filed again as a copy just made: it becomes a slot.
void Quick_Paste::Paste_Older(const Older_Text& T, bool Keystroke) {
    Close();
    const bool Written = M_.Gate.Write_Own(T.Text);
    if (Written) M_.Gate.File_Again(T.Text, {std::chrono::system_clock::now(), T.Program});
    Paste_Written(Written, Keystroke);
}

void Quick_Paste::Paste_Written(bool Written, bool Keystroke) {
    Desk_.Focus_To(Target_.Window);
    // Ctrl+V now would paste whatever the clipboard held, a password manager's copy perhaps.
    if (!Written)
        return M_.Host.Tell_User(
            std::string("PimLoft could not put the text on the clipboard: another "
                        "program holds it, or memory ran short.") +
            (Keystroke ? " Nothing was pasted." : ""));
    if (!Keystroke) return;
    // Windows drops keystrokes sent to a program with higher rights without a word.
    if (Target_.Elevated) {
        if (!Told_Elevated_)
            M_.Host.Tell_User("The program you paste into runs as administrator and takes no keys "
                              "from PimLoft. The text is on the clipboard: paste it with Ctrl+V.");
        Told_Elevated_ = true;
        return;
    }
    Waiting_ = Waiting_Paste{Target_.Window, M_.Gate.Own_Write(), 0};
    Desk_.Wait_To_Paste(true);
    Paste_Tick();
}

void Quick_Paste::Paste_Tick() {
    if (!Waiting_) return;
    // Held keys would turn Ctrl+V into another shortcut; give the user a while to let go.
    constexpr int Max_Ticks = 3000 / Paste_Tick_Ms;
    Waiting_Paste& W = *Waiting_;
    if (!Desk_.Is_Window(W.Window)) return Stop_Waiting();
    if (M_.P.Clip.Sequence() != W.Sequence) {
        Stop_Waiting();
        return M_.Host.Tell_User("The clipboard changed before PimLoft could paste, so nothing was "
                                 "pasted.");
    }
    const bool Held = Desk_.Keys_Held();
    if (!Held && Desk_.Front_Window() == W.Window) {
        Stop_Waiting();
        return Desk_.Send_Paste();
    }
    if (++W.Ticks < Max_Ticks) return;
    Stop_Waiting();
    M_.Host.Tell_User(
        std::string("PimLoft did not paste: ") +
        (Held ? "keys were still held down" : "the window did not come to the front") +
        ". The text is on the clipboard: paste it with Ctrl+V.");
}

void Quick_Paste::Stop_Waiting() {
    if (Waiting_) Desk_.Wait_To_Paste(false);
    Waiting_.reset();
}

void Start_Quick_Paste(Command_Context& Ctx) {
    Ctx.Kept.Paste->Apply_Settings();
}

void Quick_Paste_Hotkey(Command_Context& Ctx) {
    Ctx.Kept.Paste->Hotkey_Pressed();
}
