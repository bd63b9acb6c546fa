#pragma once
#include "mainwindow/Slot_Store.h"
#include "slots/LinkList.h"
#include "storage/Data_Store.h"
#include "storage/Settings.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct Background_Worker;
struct Main_Window;

// The longest a change waits for the disk.
inline constexpr int Save_Delay_Ms = 2000;

// How much a save writes: what changed, appended to the journal (Durable: flushed to the disk,
// for a close or the end of the session), or the whole data file, which empties the journal.
enum class Save_Kind { Journal, Durable, Whole };

// Every change of the data is counted; it reaches the disk a fixed delay after the first
// change not yet saved, however many follow it. A save appends what changed to the journal
// beside the data file, so that it costs the change's own size; the data file is written
// whole when the journal has grown to half its size, at exit, and when no journal can
// continue it. A data file or journal that could not be read switches saving off for the run,
// so that it stays as it is.
class Save_Schedule final : public Store_Observer {
  public:
    // Window: the save's timer, and the place a save remembers. Tell: tells the user of a
    // failure.
    Save_Schedule(Slot_Store& Store, Data_Location Where, Main_Window& Window,
                  Background_Worker& Worker, std::function<void(const std::string&)> Tell);
    Save_Schedule(const Save_Schedule&) = delete;
    Save_Schedule& operator=(const Save_Schedule&) = delete;

    // Reads the data file and its journal, for the store; an unreadable one gives defaults.
    Stored_Data Load();
    // Counts a change of the data.
    void Changed(const Change& What) override;
    // The delay ran out.
    void Timer_Due();
    // "" on success, otherwise the reason; a success also marks every change so far as saved.
    std::string Save_Now(Save_Kind Kind = Save_Kind::Journal);
    // Saves now; a failure is told (once while it repeats) and tried again after Retry_Ms.
    void Save_Or_Retry(int Retry_Ms, Save_Kind Kind = Save_Kind::Journal);
    // Writes the data file whole on the worker with every change so far, and ends the journal:
    // after texts were forgotten, which journal records would otherwise keep. Nothing goes to
    // the journal meanwhile.
    void Write_Whole_Soon();
    // No timed save from now on (exit).
    void Stop();
    bool Pending() const { return Changes_ != Saved_; }
    // Where journal identities come from (the system's randomness unless a test says).
    void Use_Random(std::function<uint64_t()> Random) { Random_ = std::move(Random); }

  private:
    void Start_Timer(int Ms);
    std::string Append(bool Durable);
    // The mark a whole data file written now carries. Same_State: it holds exactly what the
    // journal does, so records appended meanwhile still continue it.
    Journal_Mark Next_Mark(bool Same_State);
    // The data file now holds every record up to Mark; the journal's first Folded bytes are
    // done with.
    void Whole_Written(const Journal_Mark& Mark, size_t Size, size_t Folded);
    std::string Write_Whole();
    // Writes the data file whole on the worker, from a copy of the list. Saves: the change
    // count it saves, when no journal holds those changes yet.
    void Start_Fold(std::optional<uint64_t> Saves);
    void Fold_Done(const std::string& Error, const Journal_Mark& Mark, size_t Folded, size_t Size,
                   std::optional<uint64_t> Saves, const LinkList& Snapshot);

    Slot_Store& Store_;
    const Data_Location Where_;
    Main_Window& Window_;
    Background_Worker& Worker_;
    const std::function<void(const std::string&)> Tell_;
    bool Stopped_ = false;
    uint64_t Changes_ = 0;
    uint64_t Saved_ = 0;
    bool Timer_Set_ = false;
    std::string Last_Error_;
    std::string Off_; // why saving is off for this run

    // What the disk holds: the data file's mark, the journal's last record and size, the
    // data file's size, and the nodes as they were last written (their texts shared).
    Journal_Mark Mark_;
    uint64_t Last_Record_ = 0;
    size_t Journal_Size_ = 0;
    size_t Dead_ = 0;         // leading journal bytes a fold has taken in, still in the file
    size_t Next_Fold_At_ = 0; // after a failed fold: not again before the journal grows
    size_t Data_Size_ = 0;
    bool Appendable_ = false;
    bool Replaced_Left_ = false; // the journal on disk is the one Mark_ names as replaced
    bool Whole_Again_ = false;   // a whole write was asked for while a fold ran
    LinkList Written_;
    std::function<uint64_t()> Random_;
};
