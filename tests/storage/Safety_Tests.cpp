#include "platform/Limits.h"
#include "storage/Journal.h"
#include "storage/Xxh32.h"
#include "tests/storage/Byte_Image.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

const std::string Temporary = Data_Path + ".tmp", Aside = ".unreadable-20261206-153000";

bool Has(const std::string& Text, const std::string& Part) {
    return Text.find(Part) != std::string::npos;
}

// Regression: a file that could not be read was replaced by the next save's empty list; with
// the data file missing, a temporary file that was busy, damaged or too large for memory was
// taken for no file at all. Either is kept aside, or left where it is while held.
TEST(Safety, AFileThatCannotBeReadIsKeptAside) {
    World Good;
    ASSERT_EQ(Good.Save(Load_Data(Good.Where).Data), "");
    std::vector<uint8_t> Whole = Good.File(), Newer = Whole, Cut(Whole.begin(), Whole.end() - 99);
    Newer[6] = '6';
    enum Fault { None, Unreadable, Out_Of_Memory, Held_Briefly, Held };
    const std::tuple<const std::string&, const std::vector<uint8_t>&, Fault, Load_Status> Cases[] =
        {{Data_Path, Whole, Unreadable, Load_Status::Set_Aside},
         {Data_Path, Newer, None, Load_Status::Set_Aside},
         {Temporary, Cut, None, Load_Status::Set_Aside},
         {Temporary, Whole, Out_Of_Memory, Load_Status::Set_Aside},
         {Temporary, Whole, Held, Load_Status::Left},
         {Temporary, Whole, Held_Briefly, Load_Status::Recovered}};
    for (const auto& [Path, File, F, Status] : Cases) {
        SCOPED_TRACE(::testing::Message() << Path << " " << F);
        World W;
        W.Files.Files[Path] = File;
        W.Files.Fail_Read = F == Unreadable, W.Files.Read_Out_Of_Memory = F == Out_Of_Memory;
        W.Files.Busy_Reads = F == Held_Briefly ? 9 : F == Held ? 11 : 0;
        const Loaded_Data D = Load_Data(W.Where);
        W.Files.Fail_Read = W.Files.Read_Out_Of_Memory = false, W.Files.Busy_Reads = 0;
        EXPECT_EQ(D.Status, Status);
        if (Status == Load_Status::Recovered) {
            EXPECT_TRUE(W.File() == Whole && !W.Files.File_Exists(Temporary));
            EXPECT_EQ(W.Files.Paused_Ms, 900);
            continue;
        }
        const std::string Kept = F == Held ? Path : Path + Aside;
        EXPECT_TRUE(Has(D.Message, Path) && !Has(D.Message, "..") &&
                    Has(D.Message, Kept.substr(Kept.rfind('\\') + 1)))
            << D.Message;
        EXPECT_EQ(D.Data.List.List_Ubound, -1);
        EXPECT_EQ(W.Log.Lines.size(), 1u);
        ASSERT_EQ(F == Held ? "" : W.Save(D.Data), ""); // held: the caller must not save
        EXPECT_EQ(W.Files.Files[Kept], File);
    }
}

// Regression: every failure removed the temporary file, even when the replace had already
// removed the data file, leaving no copy at all.
TEST(Safety, AFailedSaveNeverLeavesNoCopy) {
    World W;
    Stored_Data D = Load_Data(W.Where).Data;
    int16_t Idx = 0;
    List_Insert(D.List, {false, "slot", ""}, Pos_Bottom, Idx);
    ASSERT_EQ(W.Save(D), "");
    const std::vector<uint8_t> Old = W.File();
    Stored_Data Changed = D;
    Changed.List.Nodes[0].Data.Text = "changed";
    Memory_File_System& Fs = W.Files;
    for (int Step = 0; Step < 5; ++Step) {
        Fs.Fail_Create = Step == 0, Fs.Fail_Flush = Step == 2, Fs.Fail_Replace = Step == 3;
        Fs.Fail_Write_After = Step == 1 ? std::optional<size_t>(Old.size() / 2) : std::nullopt;
        Fs.Replace_Loses_Target = Step == 4;
        EXPECT_TRUE(Has(W.Save(Changed), Data_Path)) << Step;
        EXPECT_TRUE(Step == 4 || (Fs.Files.size() == 1 && W.File() == Old)) << Step;
    }
    // The data file is gone: a save that follows first puts the only copy in place, then writes.
    ASSERT_TRUE(!Fs.File_Exists(Data_Path) && Fs.File_Exists(Temporary));
    Fs.Replace_Loses_Target = false, Fs.Fail_Create = true;
    EXPECT_NE(W.Save(D), "");
    EXPECT_EQ(Load_Data(W.Where).Data.List, Changed.List);
}

// Regression: 32 texts of the largest capture made a file the reader refused.
TEST(Safety, TheLargestFileTheWriterMakesIsRead) {
    World W;
    Stored_Data D = Load_Data(W.Where).Data;
    // Characters of three bytes with no 8-bit equivalent: the most bytes each field can take.
    std::string Text = "\xE4\xB8\xAD";
    while (Text.size() * 2 <= Max_Clip_Bytes)
        Text += Text;
    Text += Text.substr(0, (Max_Clip_Bytes - Text.size()) / 3 * 3);
    const std::string Typed = Text.substr(0, 3 * Max_Typed_Description_Units);
    D.Util.Text_Font.Name = D.Util.Tip_Font.Name = Typed;
    for (int16_t I = 0, Idx = 0; I < Max_Slots; ++I)
        List_Insert(D.List, {false, Text, Typed}, Pos_Bottom, Idx);
    ASSERT_EQ(W.Save(D), "");
    EXPECT_LE(W.File().size(), Max_Data_File_Bytes);
    const Stored_Data Back = Load_Data(W.Where).Data;
    EXPECT_TRUE(Back.List == D.List && Back.Util == D.Util);
}

// Records 1..3 of journal 42, each putting a slot on top and changing the settings and the
// times, and the state after each (States[0]: the empty list the data file holds).
struct Journal_42 {
    std::vector<Stored_Data> States;
    std::vector<std::vector<uint8_t>> Records{{}};
    explicit Journal_42(World& W) : States{Load_Data(W.Where).Data} {
        Stored_Data D = States[0];
        for (uint64_t N = 1; N <= 3; ++N) {
            const LinkList Before = D.List;
            int16_t Idx = 0;
            List_Insert(D.List, {N == 2, "text " + std::to_string(N), "tip", int64_t(N)}, Pos_Top,
                        Idx);
            D.List.Nodes[0].Data.Filled += 10; // later records change only its time
            D.Util.Current_Slot = Idx;
            D.Util.On_Top = N % 2 == 1;
            // Record 2 holds neither entry: it sets the defaults again.
            D.Util.History_Keep = N == 2 ? Default_History_Keep : uint32_t(N);
            D.Util.Capture_Paused = N == 1, D.Util.Expire_Days = N == 3 ? 7 : 0;
            D.Util.Excluded_Programs.assign(N == 3, "KeePass.exe");
            Records.push_back(Journal_Record(N, D.Util, D.List, Before));
            States.push_back(D);
        }
    }
    std::vector<uint8_t> File(size_t From = 1, size_t To = 3) const {
        std::vector<uint8_t> J = Journal_Header(42);
        for (size_t N = From; N <= To; ++N)
            J.insert(J.end(), Records[N].begin(), Records[N].end());
        return J;
    }
};

bool Same(const Stored_Data& A, const Stored_Data& B) {
    return A.List == B.List && A.Util == B.Util;
}

// A crash at any byte of an append, or one whose bytes never reached the disk (zeros in their
// place), loads the list as it was before or after that change, without a word.
TEST(Safety, AJournalCutAnywhereLoadsBeforeOrAfter) {
    World W;
    const Journal_42 J(W);
    ASSERT_EQ(Save_Data(J.States[0].Util, J.States[0].List, W.Where, {42, 0}), "");
    std::vector<size_t> Ends{Journal_Header_Size};
    for (size_t N = 1; N <= 3; ++N)
        Ends.push_back(Ends.back() + J.Records[N].size());
    const std::vector<uint8_t> Whole = J.File();
    const std::string Path = Journal_Path(Data_Path);
    for (bool Zeros : {false, true})
        for (size_t Cut = Journal_Header_Size; Cut <= Whole.size(); ++Cut) {
            while (Zeros && Cut < Whole.size() && Whole[Cut] == 0)
                ++Cut; // zeros in place of zeros: the same file as a later cut
            std::vector<uint8_t>& F = W.Files.Files[Path];
            F.assign(Whole.begin(), Whole.begin() + std::ptrdiff_t(Cut));
            if (Zeros) F.resize(Whole.size());
            Stored_Data Got = Load_Data(W.Where).Data;
            const Journal_State S = Load_Journal(W.Where, Got);
            const size_t Held = size_t(std::ranges::upper_bound(Ends, Cut) - Ends.begin()) - 1;
            ASSERT_TRUE(Same(Got, J.States[Held])) << Cut << " " << Zeros;
            EXPECT_EQ(S.Appendable, Ends[Held] == F.size()) << Cut << " " << Zeros;
            ASSERT_TRUE(S.Message.empty() && W.Files.File_Exists(Path)) << Cut << " " << Zeros;
        }
    // Regression: a torn record's garbage size was read as asked, up to 512 MiB: a 32-bit
    // process could fail that and set the whole journal aside.
    std::vector<uint8_t> F = Whole;
    Image Torn;
    Torn.U32(400u << 20).U32(0).Raw(std::string(5000, 't')); // more than one read brings
    F.insert(F.end(), Torn.Bytes.begin(), Torn.Bytes.end());
    W.Files.Files["J"] = F;
    size_t Most = 0;
    Stored_Data D = J.States[0];
    const auto Read = [&](uint64_t Offset, size_t Size) {
        Most = std::max(Most, Size);
        return W.Files.Read_Part("J", Offset, Size).Bytes;
    };
    const Journal_Replay R = Replay_Journal(Read, 0, D);
    EXPECT_TRUE(R.End == Journal_End::Torn && R.Good_Size == Whole.size());
    EXPECT_LE(Most, size_t{64 << 10});
}

// Rewrites a record's body and makes its size and check hold again.
void Reframe(std::vector<uint8_t>& Record, const std::function<void(std::vector<uint8_t>&)>& Edit) {
    std::vector<uint8_t> Body(Record.begin() + 8, Record.end());
    Edit(Body);
    Image F;
    F.U32(uint32_t(Body.size())).U32(Xxh32(Body.data(), Body.size()));
    Record = F.Bytes;
    Record.insert(Record.end(), Body.begin(), Body.end());
}

// A journal is applied only to the state it continues, and only up to damage or a record this
// version cannot read; any journal it cannot apply whole is kept aside whole and the user told.
// The journal a data file replaced is removed without a word when the file holds all of it.
TEST(Safety, AJournalIsAppliedOnlyToTheStateItContinues) {
    enum Fault { None, Damaged, Unknown_Entry, Newer, Starts_Late, Gap, Ends_Early, Older };
    struct Case {
        Fault F;
        Journal_Mark Mark;
        size_t Data, Loads; // the states the data file holds and the start loads
        std::string Kept;   // why the journal is kept aside; "" when it is not
        bool Appendable;
    };
    const Case Cases[] = {
        {None, {42, 0}, 0, 3, "", true},
        {None, {42, 2}, 2, 3, "", true}, // its record 2 is not applied again
        {Damaged, {42, 0}, 0, 1, "damaged", false},
        {Unknown_Entry, {42, 0}, 0, 3, "", true},
        {Newer, {42, 0}, 0, 1, "newer", false},
        {Starts_Late, {42, 0}, 0, 0, "replaced", false}, // a backup put back
        {Gap, {42, 0}, 0, 0, "replaced", false},
        {Ends_Early, {42, 3}, 3, 3, "", false},          // a record 4 after it would leave a gap
        {Older, {42, 0}, 0, 3, "", false},               // read, never appended to
        {None, {43, 0, 42, 3}, 3, 3, "", true},          // left by a crash after a whole write
        {None, {43, 0, 42, 2}, 3, 3, "replaced", false}, // its record 3 is not in the data file
        {None, {0, 0}, 0, 0, "replaced", false},         // an older version rewrote the data file
    };
    const std::string Path = Journal_Path(Data_Path);
    for (const Case& C : Cases) {
        SCOPED_TRACE(::testing::Message()
                     << C.F << " mark " << C.Mark.Identity << "/" << C.Mark.Upto);
        World W;
        Journal_42 J(W);
        Stored_Data Data = J.States[C.Data], Loads = J.States[C.Loads];
        if (C.Mark.Upto == 2) // what record 2 wrote changed since, as no journal says
            for (Stored_Data* D : {&Data, &Loads})
                D->List.Nodes[size_t(J.States[2].Util.Current_Slot)].Data.Text = "edited";
        std::vector<uint8_t>& R2 = J.Records[2];
        if (C.F == Damaged) R2.back() ^= 1;
        if (C.F == Unknown_Entry || C.F == Newer)
            Reframe(R2, [&](std::vector<uint8_t>& Body) {
                Image E; // an entry of a later version; one whose size overruns the body
                E.I16({0x7123}).U32(C.F == Newer ? 4 : 3).Raw("new");
                Body.insert(Body.end(), E.Bytes.begin(), E.Bytes.end());
            });
        if (C.F == Gap) Reframe(J.Records[3], [](std::vector<uint8_t>& Body) { Body[0] = 4; });
        std::vector<uint8_t> File = J.File(C.F == Starts_Late ? 2 : 1, C.F == Ends_Early ? 2 : 3);
        if (C.F == Older) File[7] = 'L';
        ASSERT_EQ(Save_Data(Data.Util, Data.List, W.Where, C.Mark), "");
        W.Files.Files[Path] = File;
        Stored_Data Got = Load_Data(W.Where).Data;
        const Journal_State S = Load_Journal(W.Where, Got);
        EXPECT_TRUE(Same(Got, Loads));
        EXPECT_EQ(S.Appendable, C.Appendable);
        EXPECT_EQ(W.Files.File_Exists(Path), C.Kept.empty() && C.Mark.Replaced == 0);
        if (C.Kept.empty()) {
            EXPECT_EQ(S.Message, "");
            continue;
        }
        EXPECT_EQ(W.Files.Files[Path + Aside], File);
        EXPECT_TRUE(Has(S.Message, "PimLoft.ini.journal" + Aside)) << S.Message;
        const std::string Replaced = "PimLoft.ini was replaced while PimLoft was away; the "
                                     "changes of its last session are kept in ";
        EXPECT_EQ(S.Message.starts_with(Replaced), C.Kept == "replaced") << S.Message;
    }
}

} // namespace
