#include "storage/History_Search.h"

#include "slots/Text_Search.h"

#include <algorithm>
#include <utility>

namespace {

constexpr size_t First_Reach = 64 << 10;

// The file read a window at a time, each ending where the record asked for ends: texts are
// asked for newest first, and those copied before one mostly lie just before it, so one read
// serves many. Never a mapped view: a 32-bit process has no room for a long file.
class Backward_Window {
  public:
    // Nothing past Last_End is ever asked for.
    Backward_Window(const History_Source& Read, uint64_t Header_Size, uint64_t Last_End,
                    size_t Capacity)
        : Read_(Read), Header_Size_(Header_Size), Last_End_(Last_End),
          Capacity_(std::max<size_t>(Capacity, 1)) {}

    // Fewer bytes than Size when the file ends before the record does.
    std::span<const uint8_t> Get(uint64_t Offset, uint32_t Size) {
        Single_ = {};
        const uint64_t End = Offset + Size;
        if (Offset < Base_ || End > Base_ + Held_) {
            if (Size > Capacity_) {
                Single_.resize(Size);
                Single_.resize(Read_(Offset, Single_));
                return Single_;
            }
            // The first screen wants a few texts, not megabytes: the window grows as the
            // scan proves long, as any record fits it.
            Reach_ = std::min(Capacity_, std::max<size_t>({Reach_ * 2, First_Reach, Size}));
            // Clamped at the header the window reaches on past the record: a text copied
            // again lies before the ones it is newer than. A short file is read whole once.
            Base_ = std::max(std::min(Header_Size_, Offset), End - std::min<uint64_t>(End, Reach_));
            const auto Length = static_cast<size_t>(std::min<uint64_t>(Reach_, Last_End_ - Base_));
            if (Buf_.size() < Length) Buf_.resize(Length);
            Held_ = Read_(Base_, std::span(Buf_).first(Length));
        }
        const size_t From = std::min(static_cast<size_t>(Offset - Base_), Held_);
        return std::span<const uint8_t>(Buf_).subspan(From, std::min<size_t>(Size, Held_ - From));
    }

  private:
    const History_Source& Read_;
    const uint64_t Header_Size_, Last_End_;
    const size_t Capacity_;
    size_t Reach_ = 0;
    std::vector<uint8_t> Buf_, Single_;
    uint64_t Base_ = 0;
    size_t Held_ = 0;
};

} // namespace

History_Scan Search_History(const History_Source& Read, Record_Key& Key, uint64_t Header_Size,
                            std::span<const History_Entry> Entries, const History_Query& Query,
                            const std::function<void(std::vector<History_Hit>)>& Found,
                            const std::function<bool()>& Cancel) {
    History_Scan Out{Query.From};
    const std::vector<Caseless_Word> Words = Filter_Words(Query.Filter, Query.Cases);
    uint64_t Last_End = 0;
    for (const History_Entry& E : Entries)
        Last_End = std::max(Last_End, E.Offset + E.Size);
    Backward_Window File(Read, Header_Size, Last_End, Query.Buffer);
    std::vector<History_Hit> Hits;
    size_t Sent = 0, I = Query.From;
    for (; I < Entries.size() && Sent + Hits.size() < Query.Limit; ++I) {
        if (Cancel && Cancel()) return Out.Cancelled = true, Out;
        const History_Entry& E = Entries[I];
        if (std::binary_search(Query.Skip.begin(), Query.Skip.end(), E.Name)) continue;
        auto R = Open_Record(Key, File.Get(E.Offset, E.Size));
        // The file changed under the snapshot, or a sector went bad: the rest still serves.
        if (!R || R->Kind != History_Kind::Text || R->Name != E.Name) {
            ++Out.Passed_Over;
            continue;
        }
        if (!Holds_All(Words, R->Text)) continue;
        Hits.push_back({std::move(R->Text), E.Time, E.Program, E.Name});
        if (Hits.size() >= (Sent == 0 ? Query.First_Batch : Query.Batch)) {
            Sent += Hits.size();
            Found(std::exchange(Hits, {}));
            Out.Next = I + 1;
        }
    }
    if (!Hits.empty()) Found(std::move(Hits));
    Out.Next = I;
    return Out;
}
