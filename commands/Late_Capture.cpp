#include "commands/Late_Capture.h"

#include "mainwindow/Drawing.h"
#include "slots/Capture.h"

void Late_Capture::Take() {
    if (!M_.Capture_Pending) return;
    M_.Capture_Pending = false;
    Clip_Read R = M_.P.Clip_Board.Read_Text();
    if (R.Status != Clip_Status::Text) return;
    Text_ = std::move(R.Text);
    Taken_ = true;
}

Late_Capture::~Late_Capture() {
    if (!Taken_) return;
    try {
        const Capture_Rules Rules{M_.Util.Add_Mode, M_.Util.Ignore_Case, M_.P.Text};
        if (Add_To_Clipboard(M_.List, M_.Util.Current_Slot, Rules, Text_, false) ==
            Capture_Result::Refresh)
            Refresh_Pics(M_);
    } catch (...) {
    }
}
