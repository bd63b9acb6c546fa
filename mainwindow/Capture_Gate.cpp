#include "mainwindow/Capture_Gate.h"

#include "mainwindow/Drawing.h"
#include "platform/PlatformContext.h"
#include "slots/Capture.h"

namespace {

// True when the list or the selection changed.
bool File_Text(Main& M, const std::string& Text) {
    const Capture_Rules Rules{M.Store.Util.Add_Mode, M.Store.Util.Ignore_Case, M.P.Text};
    if (Add_To_Clipboard(M.Store.List, M.Store.Util.Current_Slot, Rules, Text, false) !=
        Capture_Result::Refresh)
        return false;
    Refresh_Pics(M);
    Mark_Changed(M);
    return true;
}

void File_Pending(Main& M) {
    Capture_Gate& G = M.Gate;
    bool Filed = false;
    while (!G.Pending.empty() && !M.Exiting) {
        const std::string Text = std::move(G.Pending.front());
        G.Pending.pop_front();
        Filed = File_Text(M, Text) || Filed;
    }
    // A command wrote the clipboard meanwhile (Clear, Delete, Edit): the newest copy is now
    // the selection, so the clipboard must hold it again.
    if (Filed && G.Wrote_While_Open && Has_Selection(M)) Write_Own_Clipboard(M, Selected(M).Text);
    G.Wrote_While_Open = false;
}

} // namespace

void Clip_NewClipboardElement(Main& M) {
    Capture_Gate& G = M.Gate;
    if (M.Exiting || G.Ignore_Clip) return;
    // The notification is posted: by the time it arrives the clipboard may hold our own write
    // or a change already read. Only the sequence number tells, not the text read back.
    const uint32_t Sequence = M.P.Clip_Board.Sequence();
    if (Sequence != 0 && (Sequence == G.Own_Write || Sequence == G.Last_Seen)) return;
    G.Last_Seen = Sequence;
    Clip_Read R = M.P.Clip_Board.Read_Text();
    if (R.Status != Clip_Status::Text) return;
    if (G.Open_Loops > 0) {
        G.Pending.push_back(std::move(R.Text));
        return;
    }
    File_Text(M, R.Text);
}

bool Write_Own_Clipboard(Main& M, std::string_view Text) {
    Capture_Gate& G = M.Gate;
    G.Ignore_Clip = true;
    const bool Written = M.P.Clip_Board.Write_Text(Text);
    G.Ignore_Clip = false;
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
    // A destructor must not throw; a copy that cannot be filed now is filed by no one else.
    try {
        File_Pending(M_);
    } catch (const std::exception&) {
        M_.Gate.Pending.clear();
    }
}
