#include "mainwindow/Main.h"

#include "platform/Platform_Context.h"

#include <algorithm>
#include <utility>

namespace {

// Which data files had pause or excluded programs set, by path: an older PimLoft rewrites the
// file without the records that keep them, and the user must hear that they are gone.
constexpr char Privacy_Key[] = "Software\\PimLoft\\Privacy set";

bool Privacy_Set(const Settings& U) {
    return U.Capture_Paused || !U.Excluded_Programs.empty();
}

} // namespace

void Main::Settings_Changed() {
    const Settings& U = Store_.Util();
    const bool Loading = !std::exchange(Loaded_Seen_, true);
    if (Loading || Privacy_Set(U) != Privacy_Marked_) Mark_Privacy(Loading);
    Show_Capture_State();
    // Fewer days than before: what is now too old goes at once, not an hour later. Start-up
    // expires once the history has started.
    const bool Sooner = Expire_Days_ == 0 ? U.Expire_Days != 0 : U.Expire_Days < Expire_Days_;
    Expire_Days_ = U.Expire_Days;
    if (Sooner && !Loading) Expire_Old();
}

void Main::Mark_Privacy(bool Loading) {
    const bool Set = Privacy_Set(Store_.Util());
    User_Key_Scope Marks(P.Reg, Privacy_Key);
    if (Marks.Status != ERROR_SUCCESS_) return;
    std::string Was;
    if (Loading)
        Privacy_Marked_ = P.Reg.Query_String(Marks.Key, Where_.Data_File, Was) == ERROR_SUCCESS_;
    if (Loading && Privacy_Marked_ && !Set)
        Tell_User("Pause and the programs whose copies are never kept were reset: an older "
                  "version of PimLoft saved " +
                  Where_.Data_File +
                  " without them. Set them again in the tray menu and in Options.");
    if (Privacy_Marked_ == Set) return;
    if (Set)
        P.Reg.Set_String(Marks.Key, Where_.Data_File, "1");
    else
        P.Reg.Delete_Value(Marks.Key, Where_.Data_File);
    Privacy_Marked_ = Set;
}

void Main::Show_Capture_State() {
    const bool Paused = Store_.Util().Capture_Paused;
    if (Paused == Tray_Paused_ || Exiting_) return;
    Tray_Paused_ = Paused;
    P.Tray.Modify(Tray_Tip(), Paused);
}

void Main::Expire_Old() {
    const uint16_t Days = Store_.Util().Expire_Days;
    if (Days == 0 || Exiting_) return;
    if (Gate_.In_Loop()) return void(Expiry_Waits_ = true);
    const int64_t Cutoff = Utc_Now() - int64_t{Days} * 24 * 60 * 60;
    if (Store_.Expire(Cutoff) > 0) {
        View_.Set_Tip_Text("");
        // A journal record alone would leave the texts in the data file.
        Saves_.Write_Whole_Soon();
    }
    History_.Expire(static_cast<uint64_t>(std::max<int64_t>(Cutoff, 0)));
}
