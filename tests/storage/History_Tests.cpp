#include "slots/Text_Search.h"
#include "storage/History_File.h"
#include "storage/History_Search.h"
#include "tests/doubles/Cp1252_Codec.h"
#include "tests/doubles/Fake_Cipher.h"

#include <gtest/gtest.h>

#include <iterator>
#include <numeric>
#include <random>
#include <set>
#include <sstream>

namespace {

struct Copy {
    std::string Text, Program;
    uint64_t Time = 0;
    bool operator==(const Copy&) const = default;
};
using Model = std::vector<Copy>; // newest first

History_Source Source_Of(const std::vector<uint8_t>& File) {
    return [&File](uint64_t Offset, std::span<uint8_t> Out) -> size_t {
        if (Offset >= File.size()) return 0;
        const size_t N = std::min<size_t>(Out.size(), File.size() - Offset);
        std::memcpy(Out.data(), File.data() + Offset, N);
        return N;
    };
}

struct Loaded {
    History_End End;
    uint64_t Good_Size = 0;
    Model List;
};

Loaded Load(const std::vector<uint8_t>& File, Cipher& C) {
    const History_Source Read = Source_Of(File);
    const History_Opened Opened = Open_History(Read, C);
    const History_Load L = Load_History(Read, Opened);
    Loaded Out{L.End, L.Good_Size, {}};
    for (const History_Entry& E : L.Index.Newest_First())
        Out.List.push_back({Read_Text(Read, *Opened.Key, E).value_or("?"),
                            L.Index.Program_Name(E.Program), E.Time});
    return Out;
}

uint64_t Name(Record_Key& Key, const std::string& Text) {
    return Key.Name_Of({reinterpret_cast<const uint8_t*>(Text.data()), Text.size()});
}

// Appends as the program will, and keeps the list a reader should find beside it.
struct Writer {
    explicit Writer(Fake_Cipher& With) : C(With) {}
    Fake_Cipher& C;
    History_Started New = Start_History(C);
    std::vector<uint8_t> File = New.Header;
    History_Index Index;
    Model List;
    void Add(const std::vector<uint8_t>& Bytes) {
        File.insert(File.end(), Bytes.begin(), Bytes.end());
    }
    void Copy(const std::string& Text, uint64_t Time, const std::string& Program) {
        Add(Append_Copy(Index, *New.Key, C, File.size(), Text, Time, Program));
        std::erase_if(List, [&](const ::Copy& K) { return K.Text == Text; });
        List.insert(List.begin(), {Text, Program, Time});
    }
    void Forget(const std::string& Text) { // also a text never copied, or already forgotten
        Add(Append_Record(Index, *New.Key, C, File.size(),
                          {History_Kind::Forget, 0, 0, Name(*New.Key, Text), {}}));
        std::erase_if(List, [&](const ::Copy& K) { return K.Text == Text; });
    }
    void Clear() {
        Add(Append_Record(Index, *New.Key, C, File.size(), {History_Kind::Clear, 0, 0, 0, {}}));
        List.clear();
    }
    void Rewrite(size_t Keep, bool New_Key) {
        History_Started To =
            New_Key ? Start_History(C) : History_Started{New.Header, nullptr, nullptr, nullptr};
        Record_Key& To_Key = New_Key ? *To.Key : *New.Key;
        std::vector<uint8_t> Out = To.Header;
        ASSERT_TRUE(Rewrite_History(Source_Of(File), *New.Key, Index, Keep, To_Key, C,
                                    [&](std::span<const uint8_t> B) {
                                        Out.insert(Out.end(), B.begin(), B.end());
                                        return true;
                                    }));
        if (New_Key) New = std::move(To);
        File = std::move(Out);
        Index = Load_History(Source_Of(File), Open_History(Source_Of(File), C)).Index;
        if (List.size() > Keep) List.resize(Keep);
    }
};

// Random copies (many made again, some long), forgets, clears and rewrites load as written; a
// search in pieces (a random Limit, batch sizes, a cancel, a tiny buffer that splits records)
// finds what opening every live text in turn finds, some records damaged. Then a crash at every
// byte of the last append, with and without the zeros a torn append leaves.
TEST(History, LoadsAndSearchesWhatWasWrittenAndACrashLosesOnlyTheLastRecord) {
    const Cp1252_Codec Codec;
    const Case_Table Cases{Codec};
    // Case pairs the test codec knows, Cyrillic (whose it does not), Japanese.
    std::istringstream All(
        "apple APPLE \xC3\x84pfel \xC3\xA4PFEL caf\xC3\xA9 CAF\xC3\x89 a b "
        "\xD1\x8F\xD0\xB1\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE \xE6\x97\xA5\xE6\x9C\xAC");
    const std::vector<std::string> Words{std::istream_iterator<std::string>(All), {}};
    for (uint64_t Seed = 1; Seed <= 40; ++Seed) {
        SCOPED_TRACE(Seed);
        Fake_Cipher C(7, Seed);
        Writer W{C};
        std::mt19937_64 Rng(Seed);
        const auto Pick = [&](const auto& From) { return From[Rng() % From.size()]; };
        auto Step = [&](uint64_t Time) {
            std::string Text = Pick(Words);
            for (size_t N = Rng() % 3; N-- > 0;)
                Text += (Rng() % 2 ? " " : "\r\n") + Pick(Words);
            if (Rng() % 8 == 0) Text = std::string(Rng() % 600, '-') + Text;
            const uint64_t Kind = Rng() % 12;
            if (Kind < 2)
                W.Forget(W.List.empty() ? Text : Pick(W.List).Text);
            else if (Kind == 2 && Rng() % 3 == 0)
                W.Clear();
            else if (Kind == 3 && Time < 80'000 && Rng() % 3 == 0)
                W.Rewrite(2 + Rng() % 10, Rng() % 2);
            else if (Kind > 3)
                W.Copy(Text, Time, Rng() % 4 ? "app " + std::to_string(Rng() % 3) : "");
        };
        for (uint64_t Time = 1; Time < 120; ++Time)
            Step(Time * 1000);
        const Loaded Whole = Load(W.File, C);
        EXPECT_TRUE(Whole.End == History_End::Whole && W.Index.Live() == W.List.size());
        EXPECT_EQ(Whole.List, W.List);
        const History_Opened Opened = Open_History(Source_Of(W.File), C);
        const auto Tail =
            Newest_Texts(Source_Of(W.File), *Opened.Key, Opened.Header_Size, W.File.size(), 3);
        ASSERT_EQ(Tail.size(), std::min<size_t>(3, W.List.size()));
        for (size_t I = 0; I < Tail.size(); ++I)
            EXPECT_EQ(Copy(Tail[I].Text, W.List[I].Program, Tail[I].Time), W.List[I]);
        const std::vector<History_Entry> Entries = W.Index.Newest_First();
        std::vector<uint8_t> File = W.File;
        for (size_t N = Rng() % 3; N-- > 0 && !Entries.empty();)
            File[Pick(Entries).Offset + 20] ^= 1; // in the sealed body
        std::set<uint64_t> Skip;
        for (size_t N = Rng() % 4; N-- > 0 && !Entries.empty();)
            Skip.insert(Pick(Entries).Name);
        const std::vector<uint64_t> Skipped(Skip.begin(), Skip.end());
        for (int Q = 0; Q < 6; ++Q) {
            const std::string Word = Pick(Words);
            const std::string Filter[] = {
                "", " \t", Word, Word.substr(0, 1 + Rng() % 3), Word + " " + Pick(Words), "zzq"};
            History_Query Query{Filter[Rng() % 6], Cases, Skipped};
            Query.Buffer = Rng() % 2 ? 1 + Rng() % 300 : File.size();
            Query.First_Batch = 1 + Rng() % 3, Query.Batch = 1 + Rng() % 4;
            SCOPED_TRACE(std::string(Query.Filter) + "/" + std::to_string(Query.Buffer));
            std::vector<History_Hit> Want;
            const auto Holding = Filter_Words(Query.Filter, Cases);
            for (const History_Entry& E : Entries) {
                const auto Text = Read_Text(Source_Of(File), *Opened.Key, E);
                if (Text && !Skip.contains(E.Name) && Holds_All(Holding, *Text))
                    Want.push_back({*Text, E.Time, E.Program, E.Name});
            }
            std::vector<History_Hit> Got;
            for (int Pieces = 0; Query.From < Entries.size(); ++Pieces) {
                ASSERT_LT(Pieces, 200);
                Query.Limit = 1 + Rng() % 6;
                int Asks_Left = Rng() % 3 ? 1000 : int(Rng() % 8), Reads = 0;
                std::vector<size_t> Sizes;
                const History_Scan Scan = Search_History(
                    [&](uint64_t At, std::span<uint8_t> Out) {
                        return ++Reads, Source_Of(File)(At, Out);
                    },
                    *Opened.Key, Opened.Header_Size, Entries, Query,
                    [&](std::vector<History_Hit> Batch) {
                        EXPECT_GE(Asks_Left, 0) << "a batch after the cancel";
                        Sizes.push_back(Batch.size());
                        Got.insert(Got.end(), Batch.begin(), Batch.end());
                    },
                    [&] { return --Asks_Left < 0; });
                EXPECT_EQ(Scan.Cancelled, Asks_Left < 0);
                for (size_t B = 0; B + 1 < Sizes.size(); ++B)
                    EXPECT_EQ(Sizes[B], B == 0 ? Query.First_Batch : Query.Batch);
                const size_t Total = std::accumulate(Sizes.begin(), Sizes.end(), size_t(0));
                EXPECT_LE(Total, Query.Limit);
                EXPECT_TRUE(Scan.Cancelled || Scan.Next == Entries.size() || Total == Query.Limit);
                EXPECT_TRUE(Query.Buffer < File.size() || Reads <= 1) << Reads;
                Query.From = Scan.Next;
            }
            EXPECT_EQ(Got, Want);
        }
        const Model Before = W.List;
        const size_t Cut_From = W.File.size();
        Step(99'000);
        const std::vector<uint8_t> Full = W.File;
        for (size_t Cut = Cut_From; Cut < Full.size(); ++Cut) {
            std::vector<uint8_t> Torn(Full.begin(), Full.begin() + static_cast<ptrdiff_t>(Cut));
            const Loaded Short = Load(Torn, C);
            EXPECT_TRUE(Short.End != History_End::Damaged && Short.List == Before) << Cut;
            Torn.resize(Full.size());
            if (Torn == Full) continue; // the cut bytes were zeros already
            const Loaded Zeroed = Load(Torn, C);
            EXPECT_TRUE(Zeroed.End == History_End::Torn && Zeroed.List == Before) << Cut;
        }
    }
}

// A read may open the file anew: a rewrite reads the file in chunks, and a text copied again,
// which lies far back, alone.
TEST(History, ARewriteReadsTheFileInChunks) {
    Fake_Cipher C(7);
    Writer W{C};
    const auto Text = [](int I) { return std::to_string(I) + std::string(10000, '.'); };
    for (int I = 0; I < 200; ++I) { // longer than a chunk
        W.Copy(Text(I), 2 * I, "app");
        if (I % 4 == 3) W.Copy(Text(I / 4), 2 * I + 1, "app");
    }
    const History_Source File = Source_Of(W.File);
    size_t Reads = 0, Bytes = 0;
    const History_Source Counted = [&](uint64_t Offset, std::span<uint8_t> Out) {
        const size_t Got = File(Offset, Out);
        return ++Reads, Bytes += Got, Got;
    };
    EXPECT_TRUE(Rewrite_History(Counted, *W.New.Key, W.Index, 1000, *W.New.Key, C,
                                [](std::span<const uint8_t>) { return true; }));
    EXPECT_LE(Reads, 55u); // the 50 copied again, and a few chunks
    EXPECT_LE(Bytes, 2 * W.File.size());
}

// Only sizes show: the text, its program, time, name and the kind of record are sealed. A
// changed byte anywhere in a record but its first size costs it and every record after it.
TEST(History, ARecordShowsNothingButItsSizeAndDamageEndsTheFile) {
    Fake_Cipher C(7);
    Writer W{C};
    ASSERT_EQ(std::string(W.File.begin(), W.File.begin() + 12),
              std::string("PLFTHST1\1\0\0\0", 12));
    const std::string Text = "a secret copied text";
    W.Copy("earlier", 1, "notepad.exe");
    const size_t From = W.File.size();
    W.Copy(Text, 0x0102030405060708, "notepad.exe");
    const size_t To = W.File.size();
    EXPECT_EQ(To - From, Text.size() + 57);
    W.Copy("earlier", 2, "notepad.exe");
    EXPECT_EQ(W.File.size() - To, 57u); // made again: no text
    const uint64_t Hash = Name(*W.New.Key, Text);
    const std::string Time("\x08\x07\x06\x05\x04\x03\x02", 7),
        Named(reinterpret_cast<const char*>(&Hash), 8);
    for (const std::string& Clear : {Text.substr(2, 6), std::string("notepad"), Time, Named})
        EXPECT_EQ(std::search(W.File.begin(), W.File.end(), Clear.begin(), Clear.end()),
                  W.File.end())
            << Clear;
    EXPECT_EQ(Load(W.File, C).List,
              Model({{"earlier", "notepad.exe", 2}, {Text, "notepad.exe", 0x0102030405060708}}));
    W.Copy("third", 3, "app");
    for (size_t At = From + 4; At < To; ++At) {
        std::vector<uint8_t> Bad = W.File;
        Bad[At] ^= 0x20;
        const Loaded L = Load(Bad, C);
        EXPECT_TRUE(L.End == History_End::Damaged && L.Good_Size == From) << At;
        EXPECT_EQ(L.List, Model({{"earlier", "notepad.exe", 1}})) << At;
    }
}

} // namespace
