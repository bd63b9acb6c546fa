#include "storage/Trace_File.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <vector>

namespace {

std::string Line_Of(const Local_Time& T, std::string_view Where, std::string_view What,
                    size_t Max_Bytes) {
    char Stamp[32];
    std::snprintf(Stamp, sizeof Stamp, "%04d-%02d-%02d %02d:%02d:%02d ", T.Year, T.Month, T.Day,
                  T.Hour, T.Minute, T.Second);
    std::string Line = std::string(Stamp).append(Where).append(": ").append(What);
    // A line break inside a message would pass for a line of its own.
    for (char& C : Line)
        if (static_cast<unsigned char>(C) < 0x20 || C == 0x7F) C = ' ';
    if (Line.size() > Max_Bytes - 2) {
        size_t Cut = Max_Bytes - 2;
        while (Cut > 0 && (static_cast<unsigned char>(Line[Cut]) & 0xC0) == 0x80)
            --Cut; // not inside a UTF-8 character
        Line.resize(Cut);
    }
    return Line + "\r\n";
}

// The whole lines within the last Keep bytes.
std::span<const uint8_t> Newer_Lines(const std::vector<uint8_t>& Bytes, size_t Keep) {
    if (Bytes.size() <= Keep) return Bytes;
    const auto From = Bytes.end() - static_cast<std::ptrdiff_t>(Keep);
    const auto End = std::find(From - 1, Bytes.end(), uint8_t('\n'));
    return End == Bytes.end() ? std::span<const uint8_t>() : std::span(End + 1, Bytes.end());
}

} // namespace

void Trace_File::Add(std::string_view Where, std::string_view What) noexcept {
    try {
        const std::string Line = Line_Of(Files_.Now(), Where, What, Max_Line_Bytes);
        const std::span<const uint8_t> New(reinterpret_cast<const uint8_t*>(Line.data()),
                                           Line.size());
        File_Read Old;
        std::span<const uint8_t> Kept;
        bool Rewrite = false;
        if (!Size_ || *Size_ + Line.size() > Max_Bytes_) {
            // Twice the cap: a file of ours is never larger, a foreign one is started anew.
            Old = Files_.Read_File(Path_, 2 * Max_Bytes_);
            if (Old.Status == Read_Status::Busy) return; // held by another program
            Rewrite =
                Old.Status == Read_Status::Failed || Old.Bytes.size() + Line.size() > Max_Bytes_;
            Kept = Newer_Lines(Old.Bytes, Max_Bytes_ / 2);
            Size_ = Old.Bytes.size();
        }
        const std::string Error = Rewrite ? Files_.Write_New_File(Path_, Byte_Pieces{Kept, New})
                                          : Files_.Append_File(Path_, Byte_Pieces{New}, true);
        if (!Error.empty())
            Size_.reset();
        else
            Size_ = (Rewrite ? Kept.size() : *Size_) + Line.size();
    } catch (...) {
        Size_.reset();
    }
}
