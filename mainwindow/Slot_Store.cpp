#include "mainwindow/Slot_Store.h"

#include "slots/Capture.h"

#include <utility>

namespace {

bool Holds_Text(const Slot_Record& R) {
    return !R.Text.empty() || !R.Description.empty();
}

} // namespace

Slot_Store::Slot_Store(std::vector<Store_Observer*> Observers) : Observers_(std::move(Observers)) {}

void Slot_Store::Tell(const Change& What) {
    for (Store_Observer* O : Observers_)
        O->Changed(What);
}

bool Slot_Store::File_Copy(std::string Text, const Text_Codec& Case_Rules, Trace* Log,
                           const Copy_Source& Source) {
    const Capture_Rules Rules{D_.Util.Add_Mode, D_.Util.Ignore_Case, Case_Rules, Log};
    // The selected slot holding the very text is not filed again, but it did receive it.
    const bool Held = Has_Selection() && Selected().Text == Text;
    const bool Filed = Add_To_Clipboard(D_.List, D_.Util.Current_Slot, Rules, std::move(Text),
                                        false) == Capture_Result::Refresh;
    if ((Filed || Held) && Has_Selection())
        Node(D_.List, D_.Util.Current_Slot).Data.Filled =
            static_cast<int64_t>(Utc_Seconds(Source.Taken));
    Tell({Filed ? Change_Kind::Filed : Change_Kind::Seen, D_.Util.Current_Slot, &Source});
    return Filed;
}

void Slot_Store::Select(int16_t Slot) {
    if (!Is_Node_Index(Slot)) return;
    D_.Util.Current_Slot = Slot;
    Tell({Change_Kind::Selected, Slot});
}

void Slot_Store::Set_Lock(int16_t Slot, bool Locked) {
    Node(D_.List, Slot).Data.Locked = Locked;
    Tell({Change_Kind::Locked, Slot});
}

bool Slot_Store::Keep_Unlocked() {
    if (!Verify_Locks(D_.List, Slot_Record{})) return false;
    // Also told when a full list had no room: the rows are measured again all the same.
    Tell({Change_Kind::Added, D_.List.Tail});
    return true;
}

bool Slot_Store::Move(int16_t From, int16_t To_Where) {
    if (!List_Move(D_.List, From, To_Where)) return false;
    Tell({Change_Kind::Moved, From});
    return true;
}

int16_t Slot_Store::Add(const Slot_Record& Rec, int16_t Where) {
    Slot_Record Stamped = Rec;
    Stamped.Filled = Holds_Text(Rec) ? Utc_Now() : 0;
    int16_t New_Idx = No_Free_Slot;
    if (!List_Insert(D_.List, std::move(Stamped), Where, New_Idx)) return No_Free_Slot;
    Tell({Change_Kind::Added, New_Idx});
    return New_Idx;
}

int16_t Slot_Store::Duplicate(int16_t Slot) {
    return Add(this->Slot(Slot), Pos_Bottom);
}

void Slot_Store::Clear(int16_t Slot) {
    Node(D_.List, Slot).Data = Slot_Record{};
    Tell({Change_Kind::Cleared, Slot});
}

bool Slot_Store::Delete(int16_t Slot) {
    if (!List_Delete(D_.List, Slot)) return false;
    Tell({Change_Kind::Deleted, Slot});
    return true;
}

void Slot_Store::Edit(int16_t Slot, std::string Text, std::string Description) {
    Slot_Record& R = Node(D_.List, Slot).Data;
    R.Text = std::move(Text);
    R.Description = std::move(Description);
    R.Filled = Holds_Text(R) ? Utc_Now() : 0;
    Tell({Change_Kind::Edited, Slot});
}

void Slot_Store::Change_Settings(const Settings& U) {
    Settings New = U;
    New.Current_Slot = D_.Util.Current_Slot;
    New.Placement = D_.Util.Placement;
    D_.Util = std::move(New);
    Tell({Change_Kind::Settings, Nil_Slot});
}

void Slot_Store::Remember_Place(const Window_Placement& Place) {
    D_.Util.Placement = Place;
    Tell({Change_Kind::Placed, Nil_Slot});
}

void Slot_Store::Replace(Stored_Data Data) {
    D_ = std::move(Data);
    if (D_.List.List_Ubound < 0) {
        int16_t New_Idx = No_Free_Slot;
        List_Insert(D_.List, Slot_Record{}, Pos_Top, New_Idx);
    }
    // Files of earlier versions kept no times: their texts count from this start, and the next
    // save writes that down.
    const int64_t Now = Utc_Now();
    Each_Slot(D_.List, [Now](int16_t, Slot_Record& R) {
        if (R.Filled == 0 && Holds_Text(R)) R.Filled = Now;
    });
    Tell({Change_Kind::Loaded, Nil_Slot});
}

int Slot_Store::Expire(int64_t Cutoff) {
    int Cleared = 0;
    Each_Slot(D_.List, [&](int16_t I, const Slot_Record& R) {
        if (R.Locked || !Holds_Text(R) || R.Filled >= Cutoff) return;
        Clear(I);
        ++Cleared;
    });
    return Cleared;
}
