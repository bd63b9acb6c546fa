#include "mainwindow/History_Keeper.h"

#include "platform/Cipher.h"
#include "platform/File_System.h"
#include "platform/Main_Window.h"
#include "platform/Trace.h"
#include "platform/Worker.h"
#include "storage/Data_Store.h"
#include "storage/History_File.h"
#include "storage/History_Search.h"

#include <algorithm>
#include <chrono>

namespace {

// Forgets in a row share one rewrite.
constexpr int Rewrite_Delay_Ms = 3000;
// What a rewrite writes at once.
constexpr size_t Write_Chunk = 4 << 20;
// The first screen of a search, then the rest in larger steps.
constexpr size_t First_Screen = 15, Later_Steps = 200;

// A read that fails is no end of file: the caller must not take what it read for all there is.
History_Source Source_Of(File_System& Files, const std::string& Path,
                         std::shared_ptr<std::string> Failed) {
    return [&Files, Path, Failed](uint64_t Offset, std::span<uint8_t> Out) -> size_t {
        File_Read R = Files.Read_Part(Path, Offset, Out.size());
        // Another program (a backup, a virus scanner) may hold it a moment.
        for (int Try = 0; Try < 10 && R.Status == Read_Status::Busy; ++Try) {
            Files.Pause(100);
            R = Files.Read_Part(Path, Offset, Out.size());
        }
        if (R.Status != Read_Status::Ok && R.Status != Read_Status::Missing) {
            if (Failed->empty()) *Failed = R.Error.empty() ? "it could not be read" : R.Error;
            return 0;
        }
        const size_t N = std::min(R.Bytes.size(), Out.size());
        std::copy_n(R.Bytes.begin(), N, Out.begin());
        return N;
    };
}

} // namespace

// What the history lane's jobs own: the open file, its key and its index.
struct History_Keeper::Lane {
    Lane(File_System& F, Cipher& Crypto, Trace& L, std::string P)
        : Files(F), C(Crypto), Log(L), Path(std::move(P)) {}
    File_System& Files;
    Cipher& C;
    Trace& Log;
    const std::string Path;
    bool Open = false;      // records may be appended
    bool Indexed = false;   // and the index holds every one of them
    bool Reopen = false;    // a write failed: the file is read again before the next record
    std::string Last_Error; // told once while it repeats
    std::unique_ptr<Record_Key> Key;
    std::shared_ptr<Record_Key> Reader;   // handed to the searches, one at a time
    std::shared_ptr<Record_Key> Rewriter; // handed to the rewrites, one at a time
    std::vector<uint8_t> Header;
    History_Index Index;
    uint64_t End = 0;
    uint64_t Epoch = 0; // another file, or the same one rewritten: a rewrite begun before is void
    // Copies appended before the index was ready, whose programs are named once it is.
    struct Unnamed_Copy {
        uint64_t Name, Time;
        std::string Program;
    };
    std::vector<Unnamed_Copy> Unnamed;
    bool Rewrite_After_Index = false, Forget_After_Index = false;
    uint64_t Expire_After_Index = 0; // the cutoff of an expiry asked before the index was ready

    // What a job hands back to the window's thread.
    struct Result {
        std::vector<std::string> Tell;
        bool Off = false;
        bool Renamed = false; // rewritten or restarted: a snapshot's offsets no longer hold
        bool Forgotten = false;
        bool Rewrite_Ended = false;
        bool Planned_None = false; // no rewrite: the file was closed, or has no index yet
        bool Over_Limit = false;
        std::shared_ptr<Index_Plan> Build_Index; // the index to build on the rewrite lane
        bool Index_Ended = false;
        std::optional<bool> Rewrite_Asked;  // after the index, the rewrite put off (a forget's?)
        std::shared_ptr<Rewrite_Plan> Plan; // a rewrite to run on its own lane
        std::shared_ptr<const Snapshot> Snap;
    };

    void Run(std::vector<Op>& Ops, size_t Keep, bool Want_Snap, Result& Out);
    void Open_File(Result& Out, bool Repair = false);
    void End_Index(Index_Plan& Plan, Result& Out);
    void Append_Unindexed(const Op& O, Result& Out);
    bool Start_New(Result& Out);
    void Append(const std::vector<uint8_t>& Bytes, Result& Out);
    void Expire(uint64_t Cutoff, Result& Out);
    bool Rewrite(const std::string& From, size_t Keep, Result& Out);
    bool Put_In_Place(const std::string& Temp);
    void Plan_Rewrite(size_t Keep, bool After_Forget, Result& Out);
    void End_Rewrite(Rewrite_Plan& Plan, Result& Out);
    void Off(Result& Out, std::string Why);
};

// A rewrite on its own lane, so that appends never wait for it: the live texts as the history
// lane saw them at End, written under the rewriter's key to Temp with the new file's index.
// The history lane then seals again what was appended meanwhile and puts the file in place.
struct History_Keeper::Rewrite_Plan {
    History_Index Index; // a copy, as at End
    uint64_t End = 0, Epoch = 0;
    size_t Keep = 0;
    bool After_Forget = false;
    std::vector<uint8_t> Header;
    std::string Path, Temp;
    std::shared_ptr<Record_Key> Rewriter;
    std::atomic<bool> Cancel{false};
    // What the rewrite lane made.
    std::string Error = "not run";
    History_Index Built;
    uint64_t Built_End = 0;
};

// The index of a history whose end was whole when it opened, built on the rewrite lane up to
// that end while copies are appended after it.
struct History_Keeper::Index_Plan {
    std::string Path;
    uint64_t Header_Size = 0, End = 0, Epoch = 0;
    std::shared_ptr<Record_Key> Rewriter;
    std::atomic<bool> Cancel{false};
    History_Load Load;
    std::string Error;
};

namespace {

// A key lent for the length of one job.
class Borrowed_Key final : public Record_Key {
  public:
    explicit Borrowed_Key(Record_Key& K) : K_(K) {}
    bool Seal(std::span<const uint8_t, Nonce_Size> N, std::span<const uint8_t> E,
              std::span<const uint8_t> P, std::span<uint8_t> Out,
              std::span<uint8_t, Tag_Size> T) override {
        return K_.Seal(N, E, P, Out, T);
    }
    bool Open(std::span<const uint8_t, Nonce_Size> N, std::span<const uint8_t> E,
              std::span<const uint8_t> S, std::span<const uint8_t, Tag_Size> T,
              std::span<uint8_t> Out) override {
        return K_.Open(N, E, S, T, Out);
    }
    uint64_t Name_Of(std::span<const uint8_t> Text) override { return K_.Name_Of(Text); }

  private:
    Record_Key& K_;
};

// The live texts of From, at most Keep, sealed under Key into a new file Temp after Header;
// Built gets its index. "" or what went wrong; Temp is gone after a failure.
std::string Write_Rewrite(File_System& Files, Cipher& C, Record_Key& Key, const std::string& From,
                          const std::string& Temp, const std::vector<uint8_t>& Header,
                          const History_Index& Index, size_t Keep, History_Index& Built,
                          uint64_t& Built_End, const std::atomic<bool>* Cancel = nullptr) {
    std::string Error = Files.Write_New_File(Temp, Header);
    std::vector<uint8_t> Buffer;
    Built_End = Header.size();
    const auto Flush = [&] {
        if (!Error.empty() || Buffer.empty()) return Error.empty();
        Error = Files.Append_File(Temp, {std::span<const uint8_t>(Buffer)}, false);
        Buffer.clear();
        return Error.empty();
    };
    auto Failed = std::make_shared<std::string>();
    const bool Written = Error.empty() &&
                         Rewrite_History(
                             Source_Of(Files, From, Failed), Key, Index, Keep, Key, C,
                             [&](std::span<const uint8_t> Bytes) {
                                 if (Cancel && Cancel->load()) return false;
                                 Buffer.insert(Buffer.end(), Bytes.begin(), Bytes.end());
                                 Built_End += Bytes.size();
                                 return Buffer.size() < Write_Chunk || Flush();
                             },
                             Header.size(), &Built) &&
                         Flush() && Failed->empty() &&
                         (Error = Files.Append_File(Temp, {}, /*Flush=*/true)).empty();
    if (Written) return "";
    Files.Remove_File(Temp);
    return !Failed->empty()           ? *Failed
           : Cancel && Cancel->load() ? "cancelled"
           : Error.empty()            ? "a record failed"
                                      : Error;
}

} // namespace

// The index as the search reads it: texts newest first, the programs' names, the key.
struct History_Keeper::Snapshot {
    std::vector<History_Entry> Entries;
    std::vector<std::string> Programs; // number 1 first
    uint64_t Header = 0;
    std::shared_ptr<Record_Key> Reader;
    std::string Path;
};

struct History_Keeper::Query {
    std::string Filter;
    const Case_Table* Cases = nullptr;
    size_t Limit = 0;
    Found_Fn Found;
    size_t Next = 0, Sent = 0;
    uint64_t Generation = 0;
};

void History_Keeper::Lane::Off(Result& Out, std::string Why) {
    Log.Failure("history", Why);
    Out.Tell.push_back(std::move(Why));
    Out.Off = true;
    Open = false;
    Key.reset();
    Index = {};
}

bool History_Keeper::Lane::Start_New(Result& Out) {
    History_Started S = Start_History(C);
    if (!S.Key) {
        const std::string Why = C.Available();
        Off(Out, "The history is off: Windows did not let PimLoft encrypt it here (" +
                     (Why.empty() ? std::string("no key") : Why) + ").");
        return false;
    }
    // Never truncated in place: a crash would leave no history header, and the old file's
    // texts are the user's until the new one stands.
    const std::string Temp = Path + ".new";
    std::string Error = Files.Write_New_File(Temp, S.Header);
    if (Error.empty()) {
        const Replace_Result R = Files.Replace_File(Temp, Path);
        Error = R.Error;
    }
    if (!Error.empty()) {
        Files.Remove_File(Temp);
        Off(Out, "The history could not be written to " + Path + " (" + Error +
                     "). It is off until PimLoft starts again.");
        return false;
    }
    Key = std::move(S.Key);
    Reader = std::move(S.Reader);
    Rewriter = std::move(S.Rewriter);
    Header = std::move(S.Header);
    Index = {};
    Unnamed.clear();
    End = Header.size();
    Open = Indexed = true;
    ++Epoch;
    Out.Renamed = true;
    return true;
}

void History_Keeper::Lane::Open_File(Result& Out, bool Repair) {
    Open = Indexed = Reopen = false;
    Unnamed.clear();
    ++Epoch;
    // A rewrite cut short leaves its file: the texts in it may have been forgotten since.
    Files.Remove_File(Path + ".new");
    auto Failed = std::make_shared<std::string>();
    const History_Source Read = Source_Of(Files, Path, Failed);
    History_Opened O = Open_History(Read, C);
    const auto Unreadable = [&] {
        Off(Out, "The history " + Path + " could not be read (" + *Failed +
                     "). It is off until PimLoft starts again.");
    };
    if (!Failed->empty()) return Unreadable();
    switch (O.End) {
    case History_End::Absent:
        Start_New(Out);
        return;
    case History_End::Whole:
        break;
    case History_End::Refused:
        return Off(Out, "The history is off: Windows did not let PimLoft decrypt it here (" +
                            C.Available() + "). The file was left as it is.");
    default: {
        // Another account's, another machine's, or no history of ours: the bytes stay the
        // user's, out of the way.
        const Moved_Aside M = Move_Aside(Files, Log, Path, "a history this account cannot open");
        if (!M.Moved)
            return Off(Out, "The history " + Path +
                                " cannot be decrypted under this Windows account, nor could it "
                                "be renamed (" +
                                M.Error + "). It is off until PimLoft starts again.");
        Out.Tell.push_back("The history " + Path +
                           " cannot be decrypted under this Windows account on this computer, or "
                           "it is damaged. It was kept as " +
                           M.Name + "; a new history was started.");
        Start_New(Out);
        return;
    }
    }
    Key = std::move(O.Key);
    Reader = std::move(O.Reader);
    Rewriter = std::move(O.Rewriter);
    Header.resize(O.Header_Size);
    Read(0, Header);
    Index = {};
    // Whole at its end: copies go on at once, and the index is built on the rewrite lane.
    if (const uint64_t Size = Files.File_Size(Path);
        !Repair && Ends_Whole(Read, *Key, O.Header_Size, Size) && Failed->empty()) {
        End = Size;
        Open = true;
        Indexed = Size == O.Header_Size;
        if (Indexed) return;
        auto P = std::make_shared<Index_Plan>();
        P->Path = Path;
        P->Header_Size = O.Header_Size;
        P->End = Size;
        P->Epoch = Epoch;
        P->Rewriter = Rewriter;
        Out.Build_Index = std::move(P);
        return;
    }
    O.Key = std::make_unique<Borrowed_Key>(*Key);
    History_Load Load = Load_History(Read, O);
    if (!Failed->empty()) return Unreadable();
    Index = std::move(Load.Index);
    End = Load.Good_Size;
    Open = Indexed = true;
    if (Load.End == History_End::Torn) {
        // A crash cut the last copy short: records appended after it would never be read.
        Log.Failure("history", "a torn record at the end was dropped");
        if (!Rewrite(Path, SIZE_MAX, Out)) Open = false, Reopen = true;
    } else if (Load.End == History_End::Damaged) {
        const Moved_Aside M = Move_Aside(Files, Log, Path, "a damaged history record");
        if (!M.Moved || !Rewrite(M.Path, SIZE_MAX, Out))
            return Off(Out, "Part of the history " + Path +
                                " is damaged and it could not be set aside" +
                                (M.Moved ? std::string() : " (" + M.Error + ")") +
                                ". It is off until PimLoft starts again.");
        Out.Tell.push_back("Part of the history " + Path +
                           " was damaged. The texts before the damage were kept; the whole "
                           "file was kept as " +
                           M.Name + ".");
    }
}

// Before the index: no copy is found again (the next rewrite merges one stored twice) and no
// program is numbered; it is named once the index is ready.
void History_Keeper::Lane::Append_Unindexed(const Op& O, Result& Out) {
    const std::string& Text = O.Text.str();
    History_Record R{History_Kind::Forget, 0, 0, O.Name, {}};
    if (O.What == Op::Copy) {
        R = {History_Kind::Text, O.Time, 0,
             Key->Name_Of({reinterpret_cast<const uint8_t*>(Text.data()), Text.size()}), Text};
        if (!O.Program.empty()) Unnamed.push_back({R.Name, R.Time, O.Program});
    }
    Append(Seal_Record(*Key, C, R), Out);
}

// The index built up to the plan's end takes in what was appended since, then the programs of
// the copies made meanwhile. A file found damaged meanwhile is opened again, with its repairs.
void History_Keeper::Lane::End_Index(Index_Plan& P, Result& Out) {
    Out.Index_Ended = true;
    if (P.Epoch != Epoch || !Open || P.Load.End == History_End::Cancelled) return;
    if (!P.Error.empty() || P.Load.End != History_End::Whole) {
        Log.Failure("history index", P.Error.empty() ? "damaged" : P.Error);
        return Open_File(Out, /*Repair=*/true);
    }
    History_Index New = std::move(P.Load.Index);
    auto Failed = std::make_shared<std::string>();
    uint64_t At = P.End;
    const auto Apply = [&](const History_Record& R, uint64_t Offset, uint32_t Size) {
        New.Apply(R, Offset, Size);
    };
    if (Walk_Records(Source_Of(Files, Path, Failed), *Key, At, Apply) != History_End::Whole ||
        At != End || !Failed->empty())
        return Open_File(Out, /*Repair=*/true);
    Index = std::move(New);
    Indexed = true;
    for (const Unnamed_Copy& U : std::exchange(Unnamed, {}))
        if (Open && Index.Find(U.Name))
            Append(Append_Again(Index, *Key, C, End, U.Name, U.Time, U.Program), Out);
    if (std::exchange(Rewrite_After_Index, false))
        Out.Rewrite_Asked = std::exchange(Forget_After_Index, false);
    if (const uint64_t Cutoff = std::exchange(Expire_After_Index, 0)) Expire(Cutoff, Out);
}

// Forget records hide the old texts at once, all in one write; the rewrite removes them.
void History_Keeper::Lane::Expire(uint64_t Cutoff, Result& Out) {
    if (Open && !Indexed) Expire_After_Index = std::max(Expire_After_Index, Cutoff);
    if (!Open || !Indexed) return;
    std::vector<uint8_t> Forgets;
    for (const uint64_t Name : Index.Names_Before(Cutoff)) {
        const std::vector<uint8_t> Bytes = Append_Record(Index, *Key, C, End + Forgets.size(),
                                                         {History_Kind::Forget, 0, 0, Name, {}});
        if (Bytes.empty()) return Append(Bytes, Out); // the cipher failed: the history goes off
        Forgets.insert(Forgets.end(), Bytes.begin(), Bytes.end());
    }
    if (Forgets.empty()) return;
    Append(Forgets, Out);
    Out.Rewrite_Asked = true;
}

void History_Keeper::Lane::Append(const std::vector<uint8_t>& Bytes, Result& Out) {
    if (Bytes.empty())
        return Off(Out, "The history is off: Windows stopped encrypting for PimLoft.");
    const std::string Error =
        Files.Append_File(Path, {std::span<const uint8_t>(Bytes)}, /*Flush=*/false);
    if (!Error.empty()) {
        // Part of the record may be on disk: the file is read again, its torn end dropped,
        // before anything follows it.
        Log.Failure("history", Error);
        if (Error != Last_Error)
            Out.Tell.push_back("The history could not be written to " + Path + " (" + Error +
                               "). PimLoft tries again with the next copy.");
        Last_Error = Error;
        Open = false;
        Reopen = true;
        return;
    }
    Last_Error.clear();
    End += Bytes.size();
}

// Temp takes Path's place; false when the old file is still there.
bool History_Keeper::Lane::Put_In_Place(const std::string& Temp) {
    const Replace_Result R = Files.Replace_File(Temp, Path);
    if (R.Error.empty()) return true;
    Log.Failure("history rewrite", R.Error);
    if (R.Target_Kept) {
        Files.Remove_File(Temp);
        return false;
    }
    // Without its target the new file is the only copy: it takes the name.
    if (!Files.Move_File(Temp, Path).empty()) Files.Remove_File(Temp);
    return true;
}

// The live texts of From, at most Keep, into a new file in Path's place, here and now: the
// repairs at opening, before any append.
bool History_Keeper::Lane::Rewrite(const std::string& From, size_t Keep, Result& Out) {
    History_Index Built;
    uint64_t Built_End = 0;
    const std::string Temp = Path + ".new";
    const std::string Error =
        Write_Rewrite(Files, C, *Key, From, Temp, Header, Index, Keep, Built, Built_End);
    if (!Error.empty()) {
        Log.Failure("history rewrite", Error);
        return false;
    }
    if (!Put_In_Place(Temp)) return false;
    Index = std::move(Built);
    End = Built_End;
    ++Epoch;
    Out.Renamed = true;
    return true;
}

void History_Keeper::Lane::Plan_Rewrite(size_t Keep, bool After_Forget, Result& Out) {
    if (Open && !Indexed) {
        Rewrite_After_Index = true;
        Forget_After_Index = Forget_After_Index || After_Forget;
    }
    if (!Open || !Indexed) return void(Out.Planned_None = true);
    auto P = std::make_shared<Rewrite_Plan>();
    P->Index = Index;
    P->End = End;
    P->Epoch = Epoch;
    P->Keep = Keep;
    P->After_Forget = After_Forget;
    P->Header = Header;
    P->Path = Path;
    P->Temp = Path + ".new";
    P->Rewriter = Rewriter;
    Out.Plan = std::move(P);
}

// What was appended since the plan's snapshot is sealed again into the new file, under its own
// program numbers, before the new file takes the old one's place.
void History_Keeper::Lane::End_Rewrite(Rewrite_Plan& P, Result& Out) {
    Out.Rewrite_Ended = true;
    if (!P.Error.empty() || P.Epoch != Epoch || !Open) {
        if (P.Error.empty()) Files.Remove_File(P.Temp);
        if (!P.Error.empty() && P.Error != "cancelled") Log.Failure("history rewrite", P.Error);
        return;
    }
    auto Failed = std::make_shared<std::string>();
    std::vector<uint8_t> Sealed;
    bool Good = true;
    uint64_t At = P.End;
    const auto Seal_Again = [&](const History_Record& R, uint64_t, uint32_t) {
        const uint64_t To = P.Built_End + Sealed.size();
        const std::string Program = Index.Program_Name(R.Program);
        std::vector<uint8_t> Bytes;
        if (R.Kind == History_Kind::Text)
            Bytes = Append_Copy(P.Built, *Key, C, To, R.Text, R.Time, Program);
        else if (R.Kind == History_Kind::Again && P.Built.Find(R.Name))
            Bytes = Append_Again(P.Built, *Key, C, To, R.Name, R.Time, Program);
        else if (R.Kind == History_Kind::Forget && P.Built.Find(R.Name))
            Bytes = Append_Record(P.Built, *Key, C, To, R);
        else
            return; // a program's name comes with its first use; nothing else is live
        Good = Good && !Bytes.empty();
        Sealed.insert(Sealed.end(), Bytes.begin(), Bytes.end());
    };
    Good =
        Walk_Records(Source_Of(Files, Path, Failed), *Key, At, Seal_Again) == History_End::Whole &&
        At == End && Failed->empty() && Good;
    std::string Error = Good ? Files.Append_File(P.Temp, {std::span<const uint8_t>(Sealed)}, true)
                             : std::string("what came meanwhile could not be read");
    if (!Error.empty() || !Put_In_Place(P.Temp)) {
        if (!Error.empty()) Files.Remove_File(P.Temp), Log.Failure("history rewrite", Error);
        return;
    }
    Index = std::move(P.Built);
    End = P.Built_End + Sealed.size();
    ++Epoch;
    Out.Renamed = true;
    Out.Forgotten = P.After_Forget;
}

void History_Keeper::Lane::Run(std::vector<Op>& Ops, size_t Keep, bool Want_Snap, Result& Out) {
    for (Op& O : Ops) {
        if (Reopen && O.What != Op::Remove && O.What != Op::Clear && O.What != Op::Open)
            Open_File(Out);
        switch (O.What) {
        case Op::Open:
            Open_File(Out);
            break;
        case Op::Copy:
            if (Open && !Indexed)
                Append_Unindexed(O, Out);
            else if (Open)
                Append(Append_Copy(Index, *Key, C, End, O.Text.str(), O.Time, O.Program), Out);
            break;
        case Op::Forget:
            if (Open && !Indexed)
                Append_Unindexed(O, Out);
            else if (Open && Index.Find(O.Name))
                Append(Append_Record(Index, *Key, C, End, {History_Kind::Forget, 0, 0, O.Name, {}}),
                       Out);
            break;
        case Op::Expire:
            Expire(O.Time, Out);
            break;
        case Op::Clear:
            // A new key: what the old file left in freed disk blocks stays unreadable.
            if (Open || Files.File_Exists(Path)) Start_New(Out);
            break;
        case Op::Remove:
            Files.Remove_File(Path);
            ++Epoch;
            Open = false;
            Key.reset();
            Index = {};
            break;
        case Op::Rewrite:
            Plan_Rewrite(Keep, O.After_Forget, Out);
            break;
        case Op::End_Rewrite:
            End_Rewrite(*O.Plan, Out);
            break;
        case Op::End_Index:
            End_Index(*O.Index, Out);
            break;
        }
    }
    // The count limit, with room for a quarter more so that not every copy rewrites.
    if (Open && Indexed && Keep > 0 && Index.Live() > Keep + Keep / 4) Out.Over_Limit = true;
    if (Want_Snap && Open && Indexed) {
        auto S = std::make_shared<Snapshot>();
        S->Entries = Index.Newest_First();
        for (uint32_t N = 1; N <= Index.Programs(); ++N)
            S->Programs.push_back(Index.Program_Name(N));
        S->Header = Header.size();
        S->Reader = Reader;
        S->Path = Path;
        Out.Snap = std::move(S);
    }
}

History_Keeper::History_Keeper(const Slot_Store& Store, std::string Path, History_Services S)
    : Store_(Store), S_(std::move(S)),
      Lane_(std::make_shared<Lane>(S_.Files, S_.Crypto, S_.Log, std::move(Path))),
      Generation_(std::make_shared<std::atomic<uint64_t>>(0)) {}

History_Keeper::~History_Keeper() = default;

size_t History_Keeper::Keep() const {
    return Store_.Util().History_Keep;
}

void History_Keeper::Start() {
    Started_ = true;
    Off_ = Keep() == 0;
    if (!Off_) Waiting_.push_front({.What = Op::Open});
    Kick();
}

void History_Keeper::Changed(const Change& What) {
    if (Stopped_) return;
    if (What.Kind == Change_Kind::Settings) {
        const bool Now_Off = Keep() == 0;
        if (Now_Off == Off_ || !Started_) return;
        Off_ = Now_Off;
        Snap_.reset();
        Waiting_.push_back({.What = Now_Off ? Op::Remove : Op::Open});
        return void(Kick());
    }
    if ((What.Kind != Change_Kind::Filed && What.Kind != Change_Kind::Seen) || !What.Source || Off_)
        return;
    Op Copy{Op::Copy, Store_.Slot(What.Slot).Text, Utc_Seconds(What.Source->Taken),
            What.Source->Program};
    Waiting_.push_back(std::move(Copy));
    Kick();
}

void History_Keeper::Forget(uint64_t Name) {
    if (Off_ || Stopped_) return;
    Snap_.reset(); // the next search, at the next keystroke, must not find it there
    Waiting_.push_back({.What = Op::Forget, .Name = Name});
    Kick();
    S_.Timer.Start_Timer(Timer_Id::History_Rewrite, Rewrite_Delay_Ms);
}

void History_Keeper::Rewrite_Due() {
    Rewrite_Wanted(true);
}

// One rewrite at a time; one asked for meanwhile follows it, after a forget or not.
void History_Keeper::Rewrite_Wanted(bool After_Forget) {
    if (Off_ || Stopped_ || Finishing_) return;
    if (Rewriting_) {
        Rewrite_Again_ = Rewrite_Again_.value_or(false) || After_Forget;
        return;
    }
    Rewriting_ = true;
    Waiting_.push_back({.What = Op::Rewrite, .After_Forget = After_Forget});
    Kick();
}

void History_Keeper::Start_Rewrite(std::shared_ptr<Rewrite_Plan> Plan) {
    Running_Plan_ = Plan;
    const bool Started = S_.Worker.Start(
        Work_Lane::Rewrite,
        [Plan, &Files = S_.Files, &C = S_.Crypto] {
            Rewrite_Plan& P = *Plan;
            P.Error = Write_Rewrite(Files, C, *P.Rewriter, P.Path, P.Temp, P.Header, P.Index,
                                    P.Keep, P.Built, P.Built_End, &P.Cancel);
            P.Index = {}; // its memory goes before the history lane takes the rest
            return std::string();
        },
        [this, Plan](const std::string&) {
            Running_Plan_.reset();
            Waiting_.push_back({.What = Op::End_Rewrite, .Plan = Plan});
            if (Indexing_ && !S_.Worker.Busy(Work_Lane::Rewrite)) Start_Index(Indexing_);
            Kick();
        });
    if (Started) return;
    // The lane builds an index (the file was opened again): the rewrite follows it.
    Running_Plan_.reset();
    Rewriting_ = false;
    Rewrite_Again_ = Rewrite_Again_.value_or(false) || Plan->After_Forget;
}

void History_Keeper::Start_Index(std::shared_ptr<Index_Plan> Plan) {
    Indexing_ = Plan;
    if (Finishing_) return;
    S_.Worker.Start(
        Work_Lane::Rewrite,
        [Plan, &Files = S_.Files] {
            Index_Plan& P = *Plan;
            auto Failed = std::make_shared<std::string>();
            const History_Source Whole_File = Source_Of(Files, P.Path, Failed);
            // Only what was there when it opened: appends go on behind it.
            const History_Source Read = [&](uint64_t At, std::span<uint8_t> Out) -> size_t {
                if (At >= P.End) return 0;
                return Whole_File(At, Out.first(std::min<uint64_t>(Out.size(), P.End - At)));
            };
            History_Opened O;
            O.End = History_End::Whole;
            O.Header_Size = P.Header_Size;
            O.Key = std::make_unique<Borrowed_Key>(*P.Rewriter);
            P.Load = Load_History(Read, O, [&] { return P.Cancel.load(); });
            P.Error = *Failed;
            return std::string();
        },
        [this, Plan](const std::string&) {
            if (Indexing_ == Plan) Indexing_.reset();
            // A file opened again meanwhile waits with its own index.
            else if (Indexing_)
                Start_Index(Indexing_);
            Waiting_.push_back({.What = Op::End_Index, .Index = Plan});
            if (!Rewriting_ && Rewrite_Again_)
                Rewrite_Wanted(*std::exchange(Rewrite_Again_, std::nullopt));
            Kick();
        });
}

void History_Keeper::Expire(uint64_t Cutoff) {
    if (Off_ || Stopped_) return;
    Snap_.reset();
    Waiting_.push_back({.What = Op::Expire, .Time = Cutoff});
    Kick();
}

void History_Keeper::Clear() {
    if (Stopped_) return;
    Snap_.reset();
    ++*Generation_;
    Waiting_.push_back({.What = Op::Clear});
    Kick();
}

void History_Keeper::Finish() {
    Finishing_ = true;
    S_.Timer.Stop_Timer(Timer_Id::History_Rewrite);
    Stop_Search();
    S_.Worker.Finish(Work_Lane::Search);
    // A rewrite under way is given up: the file stays as it is, its forgets still hide. So is
    // an index being built: the copies since are in the file all the same.
    if (Running_Plan_) Running_Plan_->Cancel = true;
    if (Indexing_) Indexing_->Cancel = true;
    S_.Worker.Finish(Work_Lane::Rewrite);
    // Copies told so far go to the disk before the program ends.
    for (;;) {
        if (S_.Worker.Busy(Work_Lane::History))
            S_.Worker.Finish(Work_Lane::History);
        else if (!Kick())
            break;
    }
    Stopped_ = true;
}

bool History_Keeper::Kick() {
    if (!Started_ || Stopped_ || S_.Worker.Busy(Work_Lane::History)) return false;
    const bool Want_Snap = Query_ && !Snap_ && !Off_ && !Index_Pending_;
    if (Waiting_.empty() && !Want_Snap) return false;
    auto Ops = std::make_shared<std::vector<Op>>(std::make_move_iterator(Waiting_.begin()),
                                                 std::make_move_iterator(Waiting_.end()));
    Waiting_.clear();
    auto Out = std::make_shared<Lane::Result>();
    const size_t Keep_Now = Keep();
    return S_.Worker.Start(
        Work_Lane::History,
        [L = Lane_, Ops, Out, Keep_Now, Want_Snap] {
            L->Run(*Ops, Keep_Now, Want_Snap, *Out);
            return std::string();
        },
        [this, Out](const std::string&) {
            if (Out->Off) Off_ = true, Snap_.reset();
            if (Out->Renamed) Snap_.reset();
            if (Out->Snap) Snap_ = Out->Snap;
            for (const std::string& Text : Out->Tell)
                S_.Tell(Text);
            // A forgotten text may still sit in a journal record of the slots.
            if (Out->Forgotten && !Finishing_ && S_.Rewrite_Slots_File) S_.Rewrite_Slots_File();
            const bool Ended = Out->Rewrite_Ended || Out->Planned_None || (Out->Plan && Finishing_);
            if (Out->Plan && !Finishing_) Start_Rewrite(Out->Plan);
            if (Ended) {
                Rewriting_ = false;
                if (Rewrite_Again_) Rewrite_Wanted(*std::exchange(Rewrite_Again_, std::nullopt));
            }
            if (Out->Index_Ended) Index_Pending_ = false;
            if (Out->Build_Index) Index_Pending_ = true, Start_Index(Out->Build_Index);
            if (Out->Rewrite_Asked) Rewrite_Wanted(*Out->Rewrite_Asked);
            if (Out->Over_Limit) Rewrite_Wanted(false);
            if (Query_ && !S_.Worker.Busy(Work_Lane::Search)) Search_Step();
            Kick();
        });
}

void History_Keeper::Search(std::string Filter, const Case_Table& Cases, size_t Limit,
                            Found_Fn Found) {
    More_.reset();
    const uint64_t Generation = ++*Generation_;
    Query_ = std::make_unique<Query>(
        Query{std::move(Filter), &Cases, Limit, std::move(Found), 0, 0, Generation});
    if (Off_ || Stopped_ || !Started_) {
        auto Q = std::move(Query_);
        return Q->Found({}, true);
    }
    if (!S_.Worker.Busy(Work_Lane::Search)) Search_Step();
}

// The snapshot goes too: the next search, in a popup opened later, needs the copies since.
void History_Keeper::Stop_Search() {
    ++*Generation_;
    Query_.reset();
    More_.reset();
    Snap_.reset();
}

void History_Keeper::Search_More(size_t Limit, Found_Fn Found) {
    if (!More_ || Query_) return;
    Query_ = std::move(More_);
    Query_->Limit = Limit, Query_->Sent = 0, Query_->Found = std::move(Found);
    Query_->Generation = ++*Generation_;
    if (!S_.Worker.Busy(Work_Lane::Search)) Search_Step();
}

void History_Keeper::Search_Step() {
    if (!Query_) return;
    if (!Snap_) {
        Kick(); // the snapshot comes with the history lane's next job
        return;
    }
    Query& Q = *Query_;
    const size_t Step = std::min(Q.Sent == 0 ? First_Screen : Later_Steps, Q.Limit - Q.Sent);
    struct Found_Now {
        std::vector<History_Hit> Hits;
        History_Scan Scan;
    };
    auto Out = std::make_shared<Found_Now>();
    const auto Snap = Snap_;
    const auto Generation = Generation_;
    const uint64_t Mine = Q.Generation;
    S_.Worker.Start(
        Work_Lane::Search,
        [Snap, Out, Generation, Mine, Filter = Q.Filter, Cases = Q.Cases, From = Q.Next, Step,
         &Files = S_.Files] {
            auto Failed = std::make_shared<std::string>();
            const History_Query Ask{Filter, *Cases, {}, From, Step, Step, Step};
            Out->Scan = Search_History(
                Source_Of(Files, Snap->Path, Failed), *Snap->Reader, Snap->Header, Snap->Entries,
                Ask,
                [&](std::vector<History_Hit> Batch) {
                    for (History_Hit& H : Batch)
                        Out->Hits.push_back(std::move(H));
                },
                [&] { return Generation->load() != Mine; });
            return std::string();
        },
        [this, Out, Snap, Mine](const std::string&) {
            if (!Query_ || Query_->Generation != Mine) {
                if (Query_) Search_Step(); // the newer query waited for this one to stop
                return;
            }
            Query& Now = *Query_;
            std::vector<Older_Text> Batch;
            for (History_Hit& H : Out->Hits) {
                const std::string Program = H.Program > 0 && H.Program <= Snap->Programs.size()
                                                ? Snap->Programs[H.Program - 1]
                                                : std::string();
                Batch.push_back({std::move(H.Text), Program, H.Time, H.Name});
            }
            Now.Sent += Batch.size();
            Now.Next = Out->Scan.Next;
            const bool Last = Now.Next >= Snap->Entries.size() || Now.Sent >= Now.Limit;
            Found_Fn Found = Now.Found;
            // Stopped by the limit: Search_More goes on from here.
            if (Last && Now.Next < Snap->Entries.size()) More_ = std::move(Query_);
            if (Last) Query_.reset();
            Found(std::move(Batch), Last);
            if (!Last && Query_ && Query_->Generation == Mine) Search_Step();
        });
}
