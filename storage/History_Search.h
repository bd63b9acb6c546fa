#pragma once
#include "storage/History_File.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class Case_Table;

struct History_Hit {
    std::string Text;
    uint64_t Time = 0;
    uint32_t Program = 0;
    uint64_t Name = 0;
    bool operator==(const History_Hit&) const = default;
};

struct History_Query {
    std::string_view Filter; // the Quick Paste filter's words; none finds every text
    const Case_Table& Cases;
    std::span<const uint64_t> Skip = {}; // names left out, sorted: texts a slot already holds
    size_t From = 0;                     // the first entry looked at
    size_t Limit = 1000;                 // hits found before the scan stops
    size_t First_Batch = 15, Batch = 200;
    size_t Buffer = 4 << 20; // the most read at once, and all the scan keeps but its hits
};

struct History_Scan {
    // Where a later scan resumes: every entry before it is in a batch already sent, or
    // found nothing. The snapshot's size when it was looked at to its end.
    size_t Next = 0;
    bool Cancelled = false;
    size_t Passed_Over = 0; // entries whose record no longer opens
};

// The live texts of Entries (History_Index::Newest_First, or a part of it) that hold every
// word of the filter, newest first, handed to Found in batches: the first as soon as it is
// full, so that the popup's first screen shows early. Reads the file through one buffer,
// never all of it at once; Cancel is asked between records, and once it answers true no
// batch follows. Runs on the caller's thread.
History_Scan Search_History(const History_Source& Read, Record_Key& Key, uint64_t Header_Size,
                            std::span<const History_Entry> Entries, const History_Query& Query,
                            const std::function<void(std::vector<History_Hit>)>& Found,
                            const std::function<bool()>& Cancel = {});
