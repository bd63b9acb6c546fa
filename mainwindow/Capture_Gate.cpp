#include "mainwindow/Capture_Gate.h"

#include "mainwindow/Drawing.h"
#include "platform/PlatformContext.h"
#include "slots/Capture.h"

namespace {

// A holder of the clipboard (another viewer, a remote desktop) may keep it a moment longer
// than the clipboard's own retries wait.
constexpr int Busy_Retry_Ms = 200;
constexpr int Busy_Tries = 5;

// True when the list or the selection changed.
bool File_Text(Main& M, const std::string& Text) {
    const Capture_Rules Rules{M.Store.Util.Add_Mode, M.Store.Util.Ignore_Case, M.P.Text,
                              &M.P.Log};
    if (Add_To_Clipboard(M.Store.List, M.Store.Util.Current_Slot, Rules, Text, false) !=
        Capture_Result::Refresh)
        return false;
    Refresh_Pics(M);
    Mark_Changed(M);
    return true;
}

} // namespace

void File_Pending_Copies(Main& M) {
    Capture_Gate& G = M.Gate;
    bool Filed = false;
    while (!G.Pending.empty() && !M.Exiting) {
        const std::string Text = std::move(G.Pending.front());
        G.Pending.pop_front();
        // One copy that cannot be filed (or drawn) must not cost the ones behind it.
        try {
            Filed = File_Text(M, Text) || Filed;
        } catch (const std::exception& Failure) {
            M.P.Log.Failure("filing a waiting copy", Failure.what());
        }
    }
    // A command wrote the clipboard meanwhile (Clear, Delete, Edit): the newest copy is now
    // the selection, so the clipboard must hold it again.
    if (Filed && G.Wrote_While_Open && Has_Selection(M)) Write_Own_Clipboard(M, Selected(M).Text);
    G.Wrote_While_Open = false;
}

void Clip_NewClipboardElement(Main& M) {
    Capture_Gate& G = M.Gate;
    if (M.Exiting) return;
    // The notification is posted: by the time it arrives the clipboard may hold our own write
    // or a change already read. Only the sequence number tells, not the text read back.
    const uint32_t Sequence = M.P.Clip_Board.Sequence();
    if (Sequence != 0 && (Sequence == G.Own_Write || Sequence == G.Last_Seen)) return;
    Clip_Read R = M.P.Clip_Board.Read_Text();
    if (R.Status == Clip_Status::Busy) {
        if (G.Busy_Retries == 0) G.Busy_Retries = Busy_Tries;
        if (--G.Busy_Retries > 0) {
            M.P.Window.Start_Timer(Timer_Id::Clip_Retry, Busy_Retry_Ms);
            return;
        }
        M.P.Log.Failure("capture", "the clipboard stayed busy");
    }
    G.Busy_Retries = 0;
    G.Last_Seen = Sequence;
    if (R.Status != Clip_Status::Text) return;
    if (G.Open_Loops > 0) {
        G.Pending.push_back(std::move(R.Text));
        return;
    }
    File_Text(M, R.Text);
}

void Clip_Retry_Tick(Main& M) {
    if (M.Gate.Busy_Retries > 0) Clip_NewClipboardElement(M);
}

bool Write_Own_Clipboard(Main& M, std::string_view Text) {
    Capture_Gate& G = M.Gate;
    bool Written = false;
    try {
        Written = M.P.Clip_Board.Write_Text(Text);
    } catch (const std::exception& Failure) {
        // A 4 MiB slot needs 8 MiB more as UTF-16: a 32-bit process may not have it.
        M.P.Log.Failure("clipboard write", Failure.what());
    }
    if (Written) G.Own_Write = M.P.Clip_Board.Sequence();
    if (G.Open_Loops > 0) G.Wrote_While_Open = true;
    return Written;
}

void Main_Verify_Locks(Main& M) {
    if (!Verify_Locks(M.Store.List, M.Blank_Slot)) return;
    Mark_Changed(M);
    Form_Resize(M);
}

Nested_Loop::Nested_Loop(Main& M) : M_(M) {
    ++M_.Gate.Open_Loops;
}

Nested_Loop::~Nested_Loop() {
    if (--M_.Gate.Open_Loops > 0) return;
    // A destructor must not throw: what could (the clipboard write after a late copy) is
    // reported and left.
    try {
        File_Pending_Copies(M_);
    } catch (const std::exception& Failure) {
        M_.P.Log.Failure("after a menu or box", Failure.what());
    }
}
