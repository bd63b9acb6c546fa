#include "mainwindow/Capture_Gate.h"

#include "platform/Clipboard.h"
#include "platform/Main_Window.h"
#include "platform/Trace.h"
#include "storage/Program_Names.h"

namespace {

// A holder of the clipboard (another viewer, a remote desktop) may keep it a moment longer
// than the clipboard's own retries wait.
constexpr int Busy_Retry_Ms = 200;
constexpr int Busy_Tries = 5;

} // namespace

bool Capture_Gate::Kept(const Copy_Source& Source) const {
    const Settings& U = Store_.Util();
    return !U.Capture_Paused && !Is_Excluded(U.Excluded_Programs, Source.Program);
}

bool Capture_Gate::File_Text(Copy Taken) {
    // Checked again when filed: the user may have paused while the copy waited for a menu.
    if (!Kept(Taken.Source)) return false;
    Last_Program_ = Taken.Source.Program;
    Last_Filed_ = Taken.Sequence;
    return Store_.File_Copy(std::move(Taken.Text), Text_, &Log_, Taken.Source);
}

bool Capture_Gate::File_Again(std::string Text, Copy_Source Source) {
    return File_Text({std::move(Text), std::move(Source), Own_Write_});
}

void Capture_Gate::Empty_If_Ours() {
    const uint32_t Sequence = Clip_.Sequence();
    if (Sequence == 0 || (Sequence != Own_Write_ && Sequence != Last_Filed_)) return;
    const Clip_Read R = Clip_.Read_Text();
    bool Locked = false;
    Each_Slot(Store_.List(), [&](int16_t, const Slot_Record& S) {
        Locked = Locked || (S.Locked && R.Status == Clip_Status::Text && S.Text == R.Text);
    });
    if (!Locked && Clip_.Empty()) Own_Write_ = Clip_.Sequence();
}

void Capture_Gate::File_Waiting() {
    bool Filed = false;
    while (!Waiting_.empty() && !Stopped_) {
        Copy Taken = std::move(Waiting_.front());
        Waiting_.pop_front();
        // One copy that cannot be filed (or drawn) must not cost the ones behind it.
        try {
            Filed = File_Text(std::move(Taken)) || Filed;
        } catch (const std::exception& Failure) {
            Log_.Failure("filing a waiting copy", Failure.what());
        }
    }
    // A command wrote the clipboard meanwhile (Clear, Delete, Edit): the newest copy is now
    // the selection, so the clipboard must hold it again.
    if (Filed && Wrote_While_Open_ && Store_.Has_Selection()) Write_Own(Store_.Selected().Text);
    Wrote_While_Open_ = false;
}

void Capture_Gate::Clipboard_Changed() {
    if (Stopped_) return;
    // The notification is posted: by the time it arrives the clipboard may hold our own write
    // or a change already read. Only the sequence number tells, not the text read back.
    const uint32_t Sequence = Clip_.Sequence();
    if (Sequence != 0 && (Sequence == Own_Write_ || Sequence == Last_Seen_)) return;
    // Passed over unread, so that resuming files nothing copied meanwhile.
    if (Store_.Util().Capture_Paused) {
        Last_Seen_ = Sequence;
        Busy_Retries_ = 0;
        return;
    }
    Clip_Read R = Clip_.Read_Text();
    if (R.Status == Clip_Status::Busy) {
        if (Busy_Retries_ == 0) Busy_Retries_ = Busy_Tries;
        if (--Busy_Retries_ > 0) {
            Window_.Start_Timer(Timer_Id::Clip_Retry, Busy_Retry_Ms);
            return;
        }
        Log_.Failure("capture", "the clipboard stayed busy");
    }
    Busy_Retries_ = 0;
    Last_Seen_ = Sequence;
    if (R.Status != Clip_Status::Text) return;
    // The owner was read with the text, before the copy waits for any loop of ours.
    Copy Taken{
        std::move(R.Text), {std::chrono::system_clock::now(), std::move(R.Program)}, Sequence};
    if (In_Loop()) {
        Waiting_.push_back(std::move(Taken));
        return;
    }
    File_Text(std::move(Taken));
}

void Capture_Gate::Retry_Due() {
    if (Busy_Retries_ > 0) Clipboard_Changed();
}

bool Capture_Gate::Write_Own(std::string_view Text) {
    bool Written = false;
    try {
        Written = Clip_.Write_Text(Text);
    } catch (const std::exception& Failure) {
        // A 4 MiB slot needs 8 MiB more as UTF-16: a 32-bit process may not have it.
        Log_.Failure("clipboard write", Failure.what());
    }
    if (Written) Own_Write_ = Clip_.Sequence();
    if (In_Loop()) Wrote_While_Open_ = true;
    return Written;
}

Nested_Loop::Nested_Loop(Capture_Gate& Gate) : Gate_(Gate) {
    ++Gate_.Open_Loops_;
}

Nested_Loop::~Nested_Loop() {
    if (--Gate_.Open_Loops_ > 0) return;
    // A destructor must not throw: what could (the clipboard write after a late copy) is
    // reported and left.
    try {
        Gate_.File_Waiting();
        if (Gate_.Closed_) Gate_.Closed_();
    } catch (const std::exception& Failure) {
        Gate_.Log_.Failure("after a menu or box", Failure.what());
    }
}
