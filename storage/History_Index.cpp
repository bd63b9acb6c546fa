#include "storage/History_File.h"

#include <algorithm>
#include <bit>
#include <unordered_map>
#include <unordered_set>

namespace {

// Texts larger than this are not kept: a size above it is damage, not a text.
constexpr uint32_t Max_Record = 1u << 28;
constexpr size_t First_Chunk = 1 << 16, Chunk = 1 << 20;

uint32_t Get_U32(const uint8_t* At) {
    return At[0] | At[1] << 8 | At[2] << 16 | static_cast<uint32_t>(At[3]) << 24;
}

// The file read forwards a chunk at a time; a record larger than a chunk is read on its own.
class Chunked {
  public:
    explicit Chunked(const History_Source& Read) : Read_(Read) {}
    std::span<const uint8_t> Get(uint64_t Offset, size_t Size) {
        if (Offset < Base_ || Offset + Size > Base_ + Held_) {
            // Small files are common: the chunk grows as the file proves long.
            Buf_.resize(
                std::max(Size, Buf_.empty() ? First_Chunk : std::min(2 * Buf_.size(), Chunk)));
            Base_ = Offset;
            Held_ = Read_(Offset, Buf_);
        }
        const size_t From = static_cast<size_t>(Offset - Base_);
        return std::span<const uint8_t>(Buf_).subspan(From, std::min(Size, Held_ - From));
    }

  private:
    const History_Source& Read_;
    std::vector<uint8_t> Buf_;
    uint64_t Base_ = 0;
    size_t Held_ = 0;
};

// A crash can leave the end of an append unwritten: the file then ends in zeros.
bool Only_Zeros_From(const History_Source& Read, uint64_t Offset) {
    std::vector<uint8_t> Part(First_Chunk);
    for (;;) {
        const size_t Got = Read(Offset, Part);
        if (Got == 0) return true;
        if (std::any_of(Part.begin(), Part.begin() + Got, [](uint8_t B) { return B != 0; }))
            return false;
        Offset += Got;
    }
}

std::optional<History_Record> Read_Record(const History_Source& Read, Record_Key& Key,
                                          uint64_t Offset, uint32_t Size) {
    std::vector<uint8_t> Bytes(Size);
    if (Read(Offset, Bytes) != Size) return std::nullopt;
    return Open_Record(Key, Bytes);
}

} // namespace

size_t History_Index::Slot_Of(uint64_t Name) const {
    const size_t Mask = Slots_.size() - 1;
    for (size_t S = static_cast<size_t>(Name * 0x9E3779B97F4A7C15u >> 20) & Mask;;
         S = (S + 1) & Mask)
        if (Slots_[S] == 0 || Order_[Slots_[S] - 1].Name == Name) return S;
}

// Drops replaced and forgotten entries, and the names they held in the table.
void History_Index::Rebuild() {
    std::erase_if(Order_, [](const History_Entry& E) { return E.Size == 0; });
    Dead_ = 0;
    Slots_.assign(std::bit_ceil(std::max<size_t>(16, 2 * Order_.size() + 2)), 0);
    for (size_t I = 0; I < Order_.size(); ++I)
        Slots_[Slot_Of(Order_[I].Name)] = static_cast<uint32_t>(I + 1);
    Used_Slots_ = Order_.size();
}

const History_Entry* History_Index::Find(uint64_t Name) const {
    if (Slots_.empty()) return nullptr;
    const uint32_t At = Slots_[Slot_Of(Name)];
    return At != 0 && Order_[At - 1].Size != 0 ? &Order_[At - 1] : nullptr;
}

void History_Index::Place(const History_Entry& E) {
    if (Slots_.empty() || 4 * (Used_Slots_ + 1) > 3 * Slots_.size() || Dead_ > Live() + 4096)
        Rebuild();
    const size_t S = Slot_Of(E.Name);
    if (Slots_[S] == 0)
        ++Used_Slots_;
    else if (Order_[Slots_[S] - 1].Size != 0)
        Order_[Slots_[S] - 1].Size = 0, ++Dead_;
    Order_.push_back(E);
    Slots_[S] = static_cast<uint32_t>(Order_.size());
}

void History_Index::Apply(const History_Record& R, uint64_t Offset, uint32_t Size) {
    switch (R.Kind) {
    case History_Kind::Text:
        Place({Offset, R.Name, R.Time, R.Program, Size});
        break;
    case History_Kind::Again:
        if (const History_Entry* E = Find(R.Name))
            Place({E->Offset, R.Name, R.Time, R.Program, E->Size});
        break;
    case History_Kind::Forget:
        if (Find(R.Name)) Order_[Slots_[Slot_Of(R.Name)] - 1].Size = 0, ++Dead_;
        break;
    case History_Kind::Clear: {
        // Later texts still name the programs recorded before.
        std::vector<std::string> Programs = std::move(Programs_);
        *this = History_Index();
        Programs_ = std::move(Programs);
        break;
    }
    case History_Kind::Program:
        // Numbers are given in turn; another one was not written by this program.
        if (R.Program == Programs_.size() + 1) Programs_.push_back(R.Text);
        break;
    case History_Kind::Other:
        break;
    }
}

std::vector<History_Entry> History_Index::Newest_First() const {
    std::vector<History_Entry> Out;
    Out.reserve(Live());
    for (auto E = Order_.rbegin(); E != Order_.rend(); ++E)
        if (E->Size != 0) Out.push_back(*E);
    return Out;
}

std::vector<uint64_t> History_Index::Names_Before(uint64_t Time) const {
    std::vector<uint64_t> Out;
    for (const History_Entry& E : Order_)
        if (E.Size != 0 && E.Time < Time) Out.push_back(E.Name);
    return Out;
}

uint32_t History_Index::Program_Number(std::string_view Name) const {
    const auto At = std::find(Programs_.begin(), Programs_.end(), Name);
    return At == Programs_.end() ? 0 : static_cast<uint32_t>(At - Programs_.begin() + 1);
}

std::string History_Index::Program_Name(uint32_t Number) const {
    return Number == 0 || Number > Programs_.size() ? std::string() : Programs_[Number - 1];
}

History_End Walk_Records(const History_Source& Read, Record_Key& Key, uint64_t& At,
                         const Record_Fn& Each, const std::function<bool()>& Cancel) {
    Chunked File(Read);
    for (;;) {
        if (Cancel && Cancel()) return History_End::Cancelled;
        const auto Head = File.Get(At, 4);
        if (Head.empty()) return History_End::Whole;
        const uint32_t Size = Head.size() == 4 ? Get_U32(Head.data()) : 0;
        // A crash inside the size itself leaves its first bytes and zeros after them.
        if (Size <= History_Record_Frame || Size > Max_Record)
            return Only_Zeros_From(Read, At + Head.size()) ? History_End::Torn
                                                           : History_End::Damaged;
        const auto Bytes = File.Get(At, Size);
        if (Bytes.size() < Size) return History_End::Torn;
        const auto R = Open_Record(Key, Bytes);
        if (!R) return Only_Zeros_From(Read, At + Size) ? History_End::Torn : History_End::Damaged;
        Each(*R, At, Size);
        At += Size;
    }
}

bool Ends_Whole(const History_Source& Read, Record_Key& Key, uint64_t Header_Size, uint64_t Size) {
    if (Size == Header_Size) return true;
    uint8_t Last[4];
    if (Size < Header_Size + History_Record_Frame || Read(Size - 4, Last) != 4) return false;
    const uint32_t Record = Get_U32(Last);
    return Record > History_Record_Frame && Record <= Size - Header_Size &&
           Read_Record(Read, Key, Size - Record, Record).has_value();
}

History_Load Load_History(const History_Source& Read, const History_Opened& Opened,
                          const std::function<bool()>& Cancel) {
    History_Load Out{Opened.End, Opened.Header_Size, {}};
    if (!Opened.Key) return Out;
    Out.End = Walk_Records(
        Read, *Opened.Key, Out.Good_Size,
        [&](const History_Record& R, uint64_t At, uint32_t Size) { Out.Index.Apply(R, At, Size); },
        Cancel);
    return Out;
}

std::optional<std::string> Read_Text(const History_Source& Read, Record_Key& Key,
                                     const History_Entry& E) {
    auto R = Read_Record(Read, Key, E.Offset, E.Size);
    if (!R || R->Kind != History_Kind::Text || R->Name != E.Name) return std::nullopt;
    return std::move(R->Text);
}

std::vector<History_Text> Newest_Texts(const History_Source& Read, Record_Key& Key,
                                       uint64_t Header_Size, uint64_t End, size_t Count) {
    std::vector<History_Text> Out;
    std::unordered_map<uint64_t, size_t> Waiting; // copied again: the text lies further back
    std::unordered_set<uint64_t> Seen;            // placed, or forgotten after its last copy
    std::unordered_map<uint32_t, std::string> Programs;
    std::vector<uint32_t> Program_Of;
    uint8_t Tail[4];
    while (End >= Header_Size + 4 && (Out.size() < Count || !Waiting.empty())) {
        if (Read(End - 4, Tail) != 4) break;
        const uint32_t Size = Get_U32(Tail);
        if (Size <= History_Record_Frame || Size > End - Header_Size) break;
        const auto R = Read_Record(Read, Key, End - Size, Size);
        if (!R || R->Kind == History_Kind::Clear) break;
        End -= Size;
        if (R->Kind == History_Kind::Program) Programs.emplace(R->Program, R->Text);
        if (R->Kind == History_Kind::Text) {
            if (auto W = Waiting.find(R->Name); W != Waiting.end()) {
                Out[W->second].Text = R->Text;
                Waiting.erase(W);
            }
        }
        if (R->Kind == History_Kind::Forget) Seen.insert(R->Name);
        if ((R->Kind != History_Kind::Text && R->Kind != History_Kind::Again) ||
            Out.size() >= Count || !Seen.insert(R->Name).second)
            continue;
        if (R->Kind == History_Kind::Again) Waiting.emplace(R->Name, Out.size());
        Out.push_back({R->Text, {}, R->Time, R->Name});
        Program_Of.push_back(R->Program);
    }
    // Texts copied again whose first copy was not found before a clear: forgotten with it.
    for (size_t I = Out.size(); I-- > 0;)
        if (Waiting.contains(Out[I].Name))
            Out.erase(Out.begin() + static_cast<ptrdiff_t>(I));
        else
            Out[I].Program = Programs[Program_Of[I]];
    return Out;
}

bool Rewrite_History(const History_Source& Read, Record_Key& From, const History_Index& Index,
                     size_t Keep, Record_Key& To, Cipher& Random, const History_Sink& Write,
                     uint64_t Base, History_Index* Built) {
    std::vector<History_Entry> Live = Index.Newest_First();
    if (Live.size() > Keep) Live.resize(Keep);
    History_Index New;
    uint64_t End = Base;
    // Mostly in the file's order: one read serves many texts, where a read each would open
    // the file a million times. A text copied again lies far back: read alone.
    Chunked File(Read);
    std::vector<uint8_t> Alone;
    uint64_t Next = 0;
    for (auto E = Live.rbegin(); E != Live.rend(); ++E) {
        std::span<const uint8_t> Bytes;
        if (E->Offset >= Next) {
            Bytes = File.Get(E->Offset, E->Size);
            Next = E->Offset + E->Size;
        } else {
            Alone.resize(E->Size);
            Bytes = std::span(Alone).first(Read(E->Offset, Alone));
        }
        const auto R = Open_Record(From, Bytes);
        if (!R || R->Kind != History_Kind::Text || R->Name != E->Name) return false;
        // The copies keep their times: the rewrite is a later copy of none of them.
        const std::vector<uint8_t> Copy =
            Append_Copy(New, To, Random, End, R->Text, E->Time, Index.Program_Name(E->Program));
        if (Copy.empty() || !Write(Copy)) return false;
        End += Copy.size();
    }
    if (Built) *Built = std::move(New);
    return true;
}
