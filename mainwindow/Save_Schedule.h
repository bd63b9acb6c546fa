#pragma once
#include <cstdint>
#include <string>

struct Main;

// The longest a change waits for the disk.
inline constexpr int Save_Delay_Ms = 2000;

// What a change of the data was, and to which slot (a node index; Nil for the settings).
enum class Change_Kind { Filed, Edited, Added, Moved, Locked, Selected, Cleared, Deleted, Settings };
struct Change {
    Change_Kind Kind;
    int16_t Slot;
};

// Every change of the data is counted; the data file is written a fixed delay after the
// first change not yet saved, however many follow it. A data file that could not be read
// switches saving off for the run, so that it stays as it is.
class Save_Schedule {
  public:
    explicit Save_Schedule(Main& M) : M_(M) {}
    Save_Schedule(const Save_Schedule&) = delete;
    Save_Schedule& operator=(const Save_Schedule&) = delete;

    // Reads the data file into the store; a fresh or unreadable file leaves the defaults.
    void Load();
    void Mark(Change What);
    // The delay ran out.
    void Timer_Due();
    // "" on success, otherwise the reason; a success also marks every change so far as saved.
    std::string Save_Now();
    // Saves now; a failure is told (once while it repeats) and tried again after Retry_Ms.
    void Save_Or_Retry(int Retry_Ms);
    // No timed save from now on (exit).
    void Stop();
    bool Pending() const { return Changes_ != Saved_; }

  private:
    void Start_Timer(int Ms);

    Main& M_;
    uint64_t Changes_ = 0;
    uint64_t Saved_ = 0;
    bool Timer_Set_ = false;
    std::string Last_Error_;
    std::string Off_; // why saving is off for this run
};
