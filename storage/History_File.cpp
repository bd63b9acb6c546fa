#include "storage/History_File.h"

#include "storage/Byte_Stream.h"
#include "storage/Crc32.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::string_view Magic = "PLFTHST1";
constexpr uint32_t Version = 1;
constexpr size_t Max_Blob = 4096;

void Put_U32(uint8_t* At, uint32_t V) {
    for (int K = 0; K < 4; ++K)
        At[K] = static_cast<uint8_t>(V >> (8 * K));
}

uint32_t Get_U32(const uint8_t* At) {
    return At[0] | At[1] << 8 | At[2] << 16 | static_cast<uint32_t>(At[3]) << 24;
}

std::unique_ptr<Record_Key> Use_Secrets(Cipher& C, std::span<const uint8_t> Secrets) {
    Secret Seal{}, Name{};
    std::memcpy(Seal.data(), Secrets.data(), Secret_Size);
    std::memcpy(Name.data(), Secrets.data() + Secret_Size, Secret_Size);
    return C.Use(Seal, Name);
}

} // namespace

std::vector<uint8_t> Seal_Record(Record_Key& Key, Cipher& Random, const History_Record& R) {
    Byte_Writer Body;
    Body.Write_U8(static_cast<uint8_t>(R.Kind));
    switch (R.Kind) {
    case History_Kind::Text:
    case History_Kind::Again:
        Body.Write_U64(R.Time);
        Body.Write_U32(R.Program);
        Body.Write_U64(R.Name);
        if (R.Kind == History_Kind::Text) Body.Write_Bytes(R.Text);
        break;
    case History_Kind::Program:
        Body.Write_U32(R.Program);
        Body.Write_Bytes(R.Text);
        break;
    case History_Kind::Forget:
        Body.Write_U64(R.Name);
        break;
    case History_Kind::Clear:
    case History_Kind::Other:
        break;
    }
    const size_t Size = History_Record_Frame + Body.Bytes.size();
    std::vector<uint8_t> Out(Size);
    Put_U32(Out.data(), static_cast<uint32_t>(Size));
    Put_U32(Out.data() + Size - 4, static_cast<uint32_t>(Size));
    const std::span<uint8_t> All(Out);
    Random.Random(All.subspan(4, Nonce_Size));
    if (!Key.Seal(All.subspan<4, Nonce_Size>(), All.first(4), Body.Bytes,
                  All.subspan(4 + Nonce_Size, Body.Bytes.size()),
                  All.subspan(Size - 4 - Tag_Size).first<Tag_Size>()))
        return {};
    return Out;
}

std::optional<History_Record> Open_Record(Record_Key& Key, std::span<const uint8_t> Bytes) {
    const size_t Size = Bytes.size();
    if (Size <= History_Record_Frame || Get_U32(Bytes.data()) != Size ||
        Get_U32(Bytes.data() + Size - 4) != Size)
        return std::nullopt;
    std::vector<uint8_t> Plain(Size - History_Record_Frame);
    if (!Key.Open(Bytes.subspan<4, Nonce_Size>(), Bytes.first(4),
                  Bytes.subspan(4 + Nonce_Size, Plain.size()),
                  Bytes.subspan(Size - 4 - Tag_Size).first<Tag_Size>(), Plain))
        return std::nullopt;
    Byte_Reader B(Plain);
    History_Record R;
    uint8_t Kind = 0;
    B.Read_U8(Kind);
    R.Kind = static_cast<History_Kind>(Kind);
    switch (R.Kind) {
    case History_Kind::Text:
    case History_Kind::Again:
        B.Read_U64(R.Time), B.Read_U32(R.Program), B.Read_U64(R.Name);
        if (R.Kind == History_Kind::Text) B.Read_Bytes(B.Remaining(), R.Text);
        break;
    case History_Kind::Program:
        B.Read_U32(R.Program);
        B.Read_Bytes(B.Remaining(), R.Text);
        break;
    case History_Kind::Forget:
        B.Read_U64(R.Name);
        break;
    case History_Kind::Clear:
        break;
    case History_Kind::Other:
    default:
        R.Kind = History_Kind::Other; // a later version's: it holds its check
    }
    if (!B.Ok()) R.Kind = History_Kind::Other;
    return R;
}

History_Opened Open_History(const History_Source& Read, Cipher& C) {
    History_Opened Out;
    std::vector<uint8_t> Head(16);
    const size_t Got = Read(0, Head);
    if (Got == 0) return Out;
    Out.End = History_End::Not_History;
    if (Got < Head.size() || !std::equal(Magic.begin(), Magic.end(), Head.begin()) ||
        Get_U32(&Head[8]) != Version || Get_U32(&Head[12]) > Max_Blob)
        return Out;
    const size_t Blob = Get_U32(&Head[12]);
    Head.resize(16 + Blob + 4);
    if (Read(16, std::span(Head).subspan(16)) != Blob + 4 ||
        Crc32(Head.data(), 16 + Blob) != Get_U32(&Head[16 + Blob]))
        return Out;
    // A cipher that cannot work here unwraps nothing: no sign that the file is another's.
    if (!C.Available().empty()) {
        Out.End = History_End::Refused;
        return Out;
    }
    const auto Secrets = C.Unwrap(std::span(Head).subspan(16, Blob));
    Out.End = History_End::Not_Ours;
    if (!Secrets || Secrets->size() != 2 * Secret_Size) return Out;
    Out.Key = Use_Secrets(C, *Secrets);
    Out.Reader = Use_Secrets(C, *Secrets);
    Out.Rewriter = Use_Secrets(C, *Secrets);
    Out.End = Out.Key && Out.Reader && Out.Rewriter ? History_End::Whole : History_End::Refused;
    Out.Header_Size = Head.size();
    return Out;
}

History_Started Start_History(Cipher& C) {
    std::vector<uint8_t> Secrets(2 * Secret_Size);
    C.Random(Secrets);
    const std::vector<uint8_t> Blob = C.Wrap(Secrets);
    History_Started Out;
    if (Blob.empty() || Blob.size() > Max_Blob) return Out;
    Out.Key = Use_Secrets(C, Secrets);
    Out.Reader = Use_Secrets(C, Secrets);
    Out.Rewriter = Use_Secrets(C, Secrets);
    std::fill(Secrets.begin(), Secrets.end(), uint8_t(0));
    if (!Out.Key || !Out.Reader || !Out.Rewriter) {
        Out.Key.reset();
        return Out;
    }
    Byte_Writer W;
    W.Write_Raw(Magic.data(), Magic.size());
    W.Write_U32(Version);
    W.Write_U32(static_cast<uint32_t>(Blob.size()));
    W.Write_Raw(Blob.data(), Blob.size());
    W.Write_U32(Crc32(W.Bytes.data(), W.Bytes.size()));
    Out.Header = std::move(W.Bytes);
    return Out;
}

std::vector<uint8_t> Append_Record(History_Index& Index, Record_Key& Key, Cipher& Random,
                                   uint64_t End, const History_Record& R) {
    std::vector<uint8_t> Bytes = Seal_Record(Key, Random, R);
    if (!Bytes.empty()) Index.Apply(R, End, static_cast<uint32_t>(Bytes.size()));
    return Bytes;
}

namespace {

// R under Program's number: the program's record first, the first time it is seen.
std::vector<uint8_t> Append_As(History_Index& Index, Record_Key& Key, Cipher& Random, uint64_t End,
                               History_Record R, std::string_view Program) {
    std::vector<uint8_t> Out;
    R.Program = Program.empty() ? 0 : Index.Program_Number(Program);
    if (!Program.empty() && R.Program == 0) {
        R.Program = Index.Programs() + 1;
        Out = Append_Record(Index, Key, Random, End,
                            {History_Kind::Program, 0, R.Program, 0, std::string(Program)});
        if (Out.empty()) return Out;
    }
    const std::vector<uint8_t> Rec = Append_Record(Index, Key, Random, End + Out.size(), R);
    Out.insert(Out.end(), Rec.begin(), Rec.end());
    return Out;
}

} // namespace

std::vector<uint8_t> Append_Copy(History_Index& Index, Record_Key& Key, Cipher& Random,
                                 uint64_t End, std::string_view Text, uint64_t Time,
                                 std::string_view Program) {
    const auto Bytes = std::as_bytes(std::span(Text));
    History_Record R{History_Kind::Again,
                     Time,
                     0,
                     Key.Name_Of({reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size()}),
                     {}};
    if (!Index.Find(R.Name)) R.Kind = History_Kind::Text, R.Text = Text;
    return Append_As(Index, Key, Random, End, std::move(R), Program);
}

std::vector<uint8_t> Append_Again(History_Index& Index, Record_Key& Key, Cipher& Random,
                                  uint64_t End, uint64_t Name, uint64_t Time,
                                  std::string_view Program) {
    return Append_As(Index, Key, Random, End, {History_Kind::Again, Time, 0, Name, {}}, Program);
}
