#include "mainwindow/Save_Schedule.h"

#include "platform/File_System.h"
#include "platform/Main_Window.h"
#include "platform/Trace.h"
#include "platform/Worker.h"
#include "storage/Data_Store.h"
#include "storage/Journal.h"

#include <chrono>
#include <cmath>
#include <random>
#include <utility>

namespace {

// A failing disk is not hammered: the next try waits longer.
constexpr int Save_Retry_Ms = 30000;
// Below this a journal is never worth a whole rewrite.
constexpr size_t Min_Journal_To_Fold = 64 * 1024;

// A 16-bit field cannot hold a window beyond 32,767 twips; the nearest value it can hold
// keeps the window on the same side of the screen.
int16_t Clamp16(double V) {
    if (!std::isfinite(V)) return 0;
    return static_cast<int16_t>(std::lround(std::fmin(std::fmax(V, -32768.0), 32767.0)));
}

uint64_t System_Random() {
    std::random_device Device;
    const auto Now =
        static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    return (uint64_t{Device()} << 32 | Device()) ^ Now;
}

} // namespace

Save_Schedule::Save_Schedule(Slot_Store& Store, Data_Location Where, Main_Window& Window,
                             Background_Worker& Worker,
                             std::function<void(const std::string&)> Tell)
    : Store_(Store), Where_(std::move(Where)), Window_(Window), Worker_(Worker),
      Tell_(std::move(Tell)), Random_(System_Random) {}

void Save_Schedule::Start_Timer(int Ms) {
    Window_.Start_Timer(Timer_Id::Save, Ms);
    Timer_Set_ = true;
}

void Save_Schedule::Changed(const Change& What) {
    if (!Changes_Data(What.Kind)) return;
    ++Changes_;
    // A save already due is not pushed back: a steady stream of copies still reaches the disk.
    if (!Stopped_ && !Timer_Set_) Start_Timer(Save_Delay_Ms);
}

Stored_Data Save_Schedule::Load() {
    Loaded_Data Loaded = Load_Data(Where_);
    if (Loaded.Status == Load_Status::Left) Off_ = Loaded.Message;
    if (!Loaded.Message.empty()) Tell_(Loaded.Message);
    Data_Size_ = Loaded.Size;
    Mark_ = Loaded.Data.Mark;
    Last_Record_ = Mark_.Upto;
    if (Off_.empty()) {
        const Journal_State J = Load_Journal(Where_, Loaded.Data);
        Last_Record_ = J.Last;
        Journal_Size_ = J.Size;
        Appendable_ = J.Appendable;
        Replaced_Left_ = J.Replaced_Left;
        if (J.Left) Off_ = J.Message;
        if (!J.Message.empty()) Tell_(J.Message);
    }
    // What the disk holds: the blank slot an empty list gets is saved with the first change.
    Written_ = Loaded.Data.List;
    return std::move(Loaded.Data);
}

std::string Save_Schedule::Append(bool Durable) {
    const std::vector<uint8_t> Record =
        Journal_Record(Last_Record_ + 1, Store_.Util(), Store_.List(), Written_);
    const std::string Path = Journal_Path(Where_.Data_File);
    const std::vector<uint8_t> Header =
        Journal_Size_ == 0 ? Journal_Header(Mark_.Identity) : std::vector<uint8_t>{};
    const std::string Error =
        Where_.Files.Append_File(Path, {std::span<const uint8_t>(Header), Record}, Durable);
    // A failed write may still have put the whole record on disk: a data file written later
    // must mark it as held, or the next start applies it over that newer file.
    ++Last_Record_;
    if (!Error.empty()) {
        // Part of the record may be on disk: nothing more may follow it.
        Appendable_ = false;
        return "The slots could not be saved to " + Path + " (" + Error + ").";
    }
    Journal_Size_ += Header.size() + Record.size();
    return "";
}

Journal_Mark Save_Schedule::Next_Mark(bool Same_State) {
    if (Same_State && Mark_.Identity != 0)
        return {Mark_.Identity, Last_Record_, Mark_.Replaced, Mark_.Replaced_Upto};
    // A journal of this identity would continue a state the new file is not: say which one
    // the file replaces, so that a crash before its removal leaves no doubt at the next start.
    uint64_t Identity = 0;
    while (Identity == 0 || Identity == Mark_.Identity || Identity == Mark_.Replaced)
        Identity = Random_();
    if (Replaced_Left_) return {Identity, Last_Record_, Mark_.Replaced, Mark_.Replaced_Upto};
    return {Identity, Last_Record_, Mark_.Identity, Last_Record_};
}

void Save_Schedule::Whole_Written(const Journal_Mark& Mark, size_t Size, size_t Folded) {
    const bool Renewed = Mark.Identity != Mark_.Identity;
    Mark_ = Mark;
    Data_Size_ = Size;
    Next_Fold_At_ = 0;
    if (!Renewed && Journal_Size_ != Folded) {
        Dead_ = Folded; // records that came meanwhile follow the folded ones in the file
        return;
    }
    const std::string Journal = Journal_Path(Where_.Data_File);
    Where_.Files.Remove_File(Journal);
    Dead_ = Journal_Size_ = 0;
    // One left behind holds nothing the data file lacks, but nothing may follow it.
    Appendable_ = !Where_.Files.File_Exists(Journal);
    Replaced_Left_ = Renewed && !Appendable_;
}

std::string Save_Schedule::Write_Whole() {
    const Journal_Mark Mark = Next_Mark(false);
    size_t Size = 0;
    const std::string Error = Save_Data(Store_.Util(), Store_.List(), Where_, Mark, &Size);
    if (Error.empty()) Whole_Written(Mark, Size, Journal_Size_);
    return Error;
}

void Save_Schedule::Start_Fold(std::optional<uint64_t> Saves) {
    if (Worker_.Busy(Work_Lane::Fold)) return;
    const Journal_Mark Mark = Next_Mark(!Saves);
    // The copy shares the texts: the window's thread replaces a text, never changes one.
    auto Snapshot = std::make_shared<const Stored_Data>(Store_.Data());
    auto Size = std::make_shared<size_t>(0);
    const Data_Location Where = Where_;
    const size_t Folded = Journal_Size_;
    Worker_.Start(
        Work_Lane::Fold,
        [Snapshot, Size, Where, Mark] {
            return Save_Data(Snapshot->Util, Snapshot->List, Where, Mark, Size.get());
        },
        [this, Snapshot, Size, Mark, Folded, Saves](const std::string& Error) {
            Fold_Done(Error, Mark, Folded, *Size, Saves, Snapshot->List);
        });
}

void Save_Schedule::Write_Whole_Soon() {
    if (!Off_.empty() || Stopped_) return;
    // The new file ends the journal: a record appended to it meanwhile would go with it.
    Appendable_ = false;
    if (Worker_.Busy(Work_Lane::Fold)) return void(Whole_Again_ = true);
    Start_Fold(Changes_);
}

void Save_Schedule::Fold_Done(const std::string& Error, const Journal_Mark& Mark, size_t Folded,
                              size_t Size, std::optional<uint64_t> Saves,
                              const LinkList& Snapshot) {
    if (!Error.empty()) {
        Where_.Log.Failure("fold", Error);
        Next_Fold_At_ = Journal_Size_ + Min_Journal_To_Fold;
        // Only changes no journal holds are at risk.
        if (Saves && Error != Last_Error_) Tell_(Error);
        if (Saves) Last_Error_ = Error;
    } else {
        Whole_Written(Mark, Size, Folded);
        if (Saves) {
            Written_ = Snapshot;
            Saved_ = std::max(Saved_, *Saves);
            Last_Error_.clear();
        }
    }
    if (std::exchange(Whole_Again_, false)) return Write_Whole_Soon();
    // Changes that found no journal to go to while the fold ran go now; after a failure, once
    // the disk had time to recover.
    if (Pending() && !Stopped_ && (!Timer_Set_ || (Saves && !Error.empty())))
        Start_Timer(Error.empty() ? Save_Delay_Ms : Save_Retry_Ms);
}

std::string Save_Schedule::Save_Now(Save_Kind Kind) {
    if (!Off_.empty()) return Off_;
    const uint64_t Saving = Changes_;
    Main_Window& W = Window_;
    // A minimised or maximised window keeps the placement last loaded or saved.
    if (W.Window_State() == Window_Normal)
        Store_.Remember_Place(
            {Clamp16(W.Left()), Clamp16(W.Top()), Clamp16(W.Width()), Clamp16(W.Height())});
    std::string Error;
    // A close or the session's end cannot leave the work to the worker: with no journal to
    // continue, the data file is written whole before it returns.
    if (Kind == Save_Kind::Whole || (Kind == Save_Kind::Durable && !Appendable_)) {
        Whole_Again_ = false;            // this write is that one
        Worker_.Finish(Work_Lane::Fold); // a fold under way ends first
        Error = Write_Whole();
        // The journal keeps the changes just as safe while the whole file cannot be written.
        if (!Error.empty() && Appendable_) Error = Append(true);
    } else if (Appendable_) {
        Error = Append(Kind == Save_Kind::Durable);
        const size_t Live = Journal_Size_ - Dead_;
        if (Kind == Save_Kind::Journal && Error.empty() &&
            Live >= std::max(Data_Size_ / 2, Min_Journal_To_Fold) && Journal_Size_ >= Next_Fold_At_)
            Start_Fold(std::nullopt);
    } else {
        // No journal can continue the data file (the first save, or one cut short): it is
        // written whole, on the worker; these changes count as saved once it has.
        Start_Fold(Saving);
        return "";
    }
    if (!Error.empty()) return Error;
    Written_ = Store_.List();
    Saved_ = Saving;
    Last_Error_.clear();
    return "";
}

void Save_Schedule::Timer_Due() {
    Window_.Stop_Timer(Timer_Id::Save);
    Timer_Set_ = false;
    if (Stopped_ || !Pending()) return;
    Save_Or_Retry(Save_Retry_Ms);
}

void Save_Schedule::Save_Or_Retry(int Retry_Ms, Save_Kind Kind) {
    const std::string Error = Save_Now(Kind);
    // A fold started or still running is no success yet: it tells of itself when it ends.
    if (Error.empty()) return;
    // Told once per run of failures; the slots stay in memory and the next try may succeed.
    if (Error != Last_Error_) Tell_(Error);
    Last_Error_ = Error;
    Start_Timer(Retry_Ms);
}

void Save_Schedule::Stop() {
    Stopped_ = true;
    Window_.Stop_Timer(Timer_Id::Save);
    Timer_Set_ = false;
}
