#pragma once
#include "platform/Cipher.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The long history of copied texts, beside the data file and unreadable off this account.
//
//   header: "PLFTHST1", U32 version (1), U32 size of the blob, the blob (the seal and name
//     secrets wrapped for this account), U32 CRC-32 of all that precedes it
//   records: U32 size of the whole record, 12 nonce, the sealed body, 16 tag, U32 size again;
//     the first size is the sealed body's Extra, so nothing in clear goes unchecked
//   sealed body: U8 kind, then
//     text:    U64 time, U32 program, U64 name (keyed hash of the text), the text (UTF-8)
//     program: U32 number, the program's name (UTF-8)
//     again:   U64 time, U32 program, U64 name (the text copied again)
//     forget:  U64 name
//     clear:   nothing; every text before it is gone
//   kinds a reader does not know hold their check and are passed over.
//
// Sizes at both ends let the newest texts be read back from the end without an index.
inline constexpr size_t History_Record_Frame = 4 + Nonce_Size + Tag_Size + 4;
inline constexpr size_t History_Text_Overhead = History_Record_Frame + 1 + 8 + 4 + 8;

enum class History_Kind : uint8_t { Other, Text, Program, Again, Forget, Clear };

struct History_Record {
    History_Kind Kind = History_Kind::Other;
    uint64_t Time = 0;    // UTC, as the caller counts it
    uint32_t Program = 0; // 0: not known
    uint64_t Name = 0;
    std::string Text; // a program record: the program's name
};

// Bytes of the file from Offset into Out; fewer only at its end.
using History_Source = std::function<size_t(uint64_t Offset, std::span<uint8_t> Out)>;
// Appends bytes to a new file; false when they could not be written.
using History_Sink = std::function<bool(std::span<const uint8_t>)>;

std::vector<uint8_t> Seal_Record(Record_Key& Key, Cipher& Random, const History_Record& R);
// Nothing when the sizes or the check fail.
std::optional<History_Record> Open_Record(Record_Key& Key, std::span<const uint8_t> Bytes);

enum class History_End {
    Whole,
    Absent,      // no file, or an empty one: start one
    Torn,        // the last record was cut short by a crash: left out
    Damaged,     // a record fails its check and more follows: it and the rest left out
    Not_Ours,    // another account's or machine's secrets: keep the file aside, start another
    Not_History, // not a history header, or a later version's: keep it aside
    Refused,     // the keys could not be used here: history off, the file left alone
    Cancelled,
};

struct History_Opened {
    History_End End = History_End::Absent;
    uint64_t Header_Size = 0;
    std::unique_ptr<Record_Key> Key;      // set when End is Whole
    std::unique_ptr<Record_Key> Reader;   // the same keys, for a second thread (the search)
    std::unique_ptr<Record_Key> Rewriter; // and a third (the rewrite)
};
History_Opened Open_History(const History_Source& Read, Cipher& C);

// A new file's header under fresh secrets, and its key; no key when the cipher refused.
struct History_Started {
    std::vector<uint8_t> Header;
    std::unique_ptr<Record_Key> Key;
    std::unique_ptr<Record_Key> Reader;
    std::unique_ptr<Record_Key> Rewriter;
};
History_Started Start_History(Cipher& C);

// 32 bytes a text; the table that finds them by name adds 8 to 16 more.
struct History_Entry {
    uint64_t Offset = 0; // of the text's own record
    uint64_t Name = 0;
    uint64_t Time = 0; // the latest copy's
    uint32_t Program = 0;
    uint32_t Size = 0; // of the text's record; 0 marks an entry since replaced or forgotten
};

// The live texts, in the order of their latest copy, found by name.
class History_Index {
  public:
    void Apply(const History_Record& R, uint64_t Offset, uint32_t Size);
    const History_Entry* Find(uint64_t Name) const;
    std::vector<History_Entry> Newest_First() const;
    // The names of the live texts last copied before Time.
    std::vector<uint64_t> Names_Before(uint64_t Time) const;
    size_t Live() const { return Order_.size() - Dead_; }
    uint32_t Program_Number(std::string_view Name) const; // 0 when never recorded
    std::string Program_Name(uint32_t Number) const;
    uint32_t Programs() const { return static_cast<uint32_t>(Programs_.size()); }

  private:
    size_t Slot_Of(uint64_t Name) const; // of Name, or the empty slot it would take
    void Rebuild();
    void Place(const History_Entry& E);
    std::vector<History_Entry> Order_;
    std::vector<uint32_t> Slots_; // open addressing by name: position in Order_ + 1, 0 empty
    size_t Used_Slots_ = 0, Dead_ = 0;
    std::vector<std::string> Programs_; // number 1 first
};

struct History_Load {
    History_End End = History_End::Whole;
    uint64_t Good_Size = 0; // the header and the whole records before any tear or damage
    History_Index Index;
};
// Reads the records after the header in chunks; Cancel is asked between records.
// Hands each record from At on that opens to Each, with its offset and size; At ends after the
// last whole one. Whole when the file ends there, otherwise why the walk stopped.
using Record_Fn = std::function<void(const History_Record&, uint64_t Offset, uint32_t Size)>;
History_End Walk_Records(const History_Source& Read, Record_Key& Key, uint64_t& At,
                         const Record_Fn& Each, const std::function<bool()>& Cancel = {});
// The file ends at Size with a record that opens, or holds none yet: appends may follow.
bool Ends_Whole(const History_Source& Read, Record_Key& Key, uint64_t Header_Size, uint64_t Size);

History_Load Load_History(const History_Source& Read, const History_Opened& Opened,
                          const std::function<bool()>& Cancel = {});

// Seals R, applies it to Index as the record at End, and gives the bytes to append there.
std::vector<uint8_t> Append_Record(History_Index& Index, Record_Key& Key, Cipher& Random,
                                   uint64_t End, const History_Record& R);
// A copy: the program's record the first time it is seen, then the text, or a small "again"
// record when the same text is live.
std::vector<uint8_t> Append_Copy(History_Index& Index, Record_Key& Key, Cipher& Random,
                                 uint64_t End, std::string_view Text, uint64_t Time,
                                 std::string_view Program);

// A copy made again of the live text Name, known by its name alone (its program's record the
// first time that program is seen).
std::vector<uint8_t> Append_Again(History_Index& Index, Record_Key& Key, Cipher& Random,
                                  uint64_t End, uint64_t Name, uint64_t Time,
                                  std::string_view Program);

std::optional<std::string> Read_Text(const History_Source& Read, Record_Key& Key,
                                     const History_Entry& E);

struct History_Text {
    std::string Text, Program;
    uint64_t Time = 0, Name = 0;
};
// The Count newest live texts, read backwards from End without an index. Stops early at a
// clear, at the header or at a record that fails; a program whose record lies further back
// than the texts has an empty name.
std::vector<History_Text> Newest_Texts(const History_Source& Read, Record_Key& Key,
                                       uint64_t Header_Size, uint64_t End, size_t Count);

// The records of a new file holding the Keep newest live texts of Index, each once with its
// latest time, sealed and named under To (which may be From).
// Built: the new file's index, its records counted from Base (the new header's size).
bool Rewrite_History(const History_Source& Read, Record_Key& From, const History_Index& Index,
                     size_t Keep, Record_Key& To, Cipher& Random, const History_Sink& Write,
                     uint64_t Base = 0, History_Index* Built = nullptr);
