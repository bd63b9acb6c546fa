#pragma once
#include "mainwindow/Slot_Store.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct Background_Worker;
struct Cipher;
struct File_System;
struct Main_Window;
struct Trace;
class Case_Table;

// An older text a search found.
struct Older_Text {
    std::string Text;
    std::string Program; // "" when not known
    uint64_t Time = 0;   // of its latest copy: UTC seconds
    uint64_t Name = 0;   // what Forget takes
};

struct History_Services {
    File_System& Files;
    Cipher& Crypto;
    Background_Worker& Worker;
    Main_Window& Timer; // the rewrite that follows forgets
    Trace& Log;
    std::function<void(const std::string&)> Tell;
    // The slots' own files are written whole, so that no journal record keeps a forgotten text.
    std::function<void()> Rewrite_Slots_File;
};

// The long history behind the slots, in one encrypted file beside the data file. Every copy
// the store files is appended on the history lane, in order. The file is opened there after
// start-up, which reads none of it; its index is built on the rewrite lane while appends go on,
// and so are the rewrites (after forgets, and to keep the count). Searches run on the search
// lane from a snapshot of the index, newest first.
class History_Keeper final : public Store_Observer {
  public:
    History_Keeper(const Slot_Store& Store, std::string Path, History_Services S);
    ~History_Keeper();
    History_Keeper(const History_Keeper&) = delete;
    History_Keeper& operator=(const History_Keeper&) = delete;

    // After the tray icon shows.
    void Start();
    void Changed(const Change& What) override;
    // Hidden at once by a record of its own; gone from the file with the rewrite that follows
    // a few seconds after the last forget.
    void Forget(uint64_t Name);
    void Rewrite_Due();
    // Every text last copied before Cutoff (UTC seconds) goes: hidden at once, gone from the
    // file with the rewrite that follows.
    void Expire(uint64_t Cutoff);
    // Every text goes, and the file starts again under a new key.
    void Clear();
    // Exit: what was told so far is on the disk, and nothing is started any more.
    void Finish();

    // The older texts that hold every word of Filter, newest first, at most Limit of them;
    // Found hears them on the window's thread in batches, Last with the final one. A new search
    // or Stop_Search drops what an earlier one would still send. The index is read once for the
    // searches that follow, until Stop_Search.
    using Found_Fn = std::function<void(std::vector<Older_Text> Batch, bool Last)>;
    void Search(std::string Filter, const Case_Table& Cases, size_t Limit, Found_Fn Found);
    // The search stopped at its limit: the next Limit older texts it finds, from there on.
    bool Has_More() const { return More_ != nullptr; }
    void Search_More(size_t Limit, Found_Fn Found);
    void Stop_Search();

  private:
    struct Lane;
    struct Snapshot;
    struct Query;
    struct Rewrite_Plan;
    struct Index_Plan;
    // What waits for the history lane, in the order told.
    struct Op {
        enum Kind {
            Open,
            Copy,
            Forget,
            Expire,
            Clear,
            Remove,
            Rewrite,
            End_Rewrite,
            End_Index
        } What;
        Slot_Text Text = {};
        uint64_t Time = 0;
        std::string Program = {};
        uint64_t Name = 0;
        bool After_Forget = false;
        std::shared_ptr<Rewrite_Plan> Plan = {};
        std::shared_ptr<Index_Plan> Index = {};
    };
    // Starts the history lane on what waits; false when nothing started.
    bool Kick();
    void Search_Step();
    // On the rewrite lane, then back to the history lane to end it.
    void Start_Rewrite(std::shared_ptr<Rewrite_Plan> Plan);
    // The index of a file opened whole at its end, built on the rewrite lane.
    void Start_Index(std::shared_ptr<Index_Plan> Plan);
    void Rewrite_Wanted(bool After_Forget);
    size_t Keep() const;

    const Slot_Store& Store_;
    History_Services S_;
    std::shared_ptr<Lane> Lane_; // touched only by the history lane's jobs
    std::deque<Op> Waiting_;
    bool Started_ = false, Stopped_ = false, Off_ = false, Finishing_ = false;
    // A rewrite is planned or running; another was asked for meanwhile (after a forget?).
    bool Rewriting_ = false;
    std::optional<bool> Rewrite_Again_;
    std::shared_ptr<Rewrite_Plan> Running_Plan_;
    std::shared_ptr<Index_Plan> Indexing_; // building, or waiting for the rewrite lane
    bool Index_Pending_ = false;           // the file is open but has no index yet
    std::shared_ptr<const Snapshot> Snap_;
    std::unique_ptr<Query> Query_;
    std::unique_ptr<Query> More_; // where a search stopped by its limit goes on
    std::shared_ptr<std::atomic<uint64_t>> Generation_;
};
