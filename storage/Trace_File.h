#pragma once
#include "platform/File_System.h"
#include "platform/Trace.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

// The trace as a file a user can send: one line per call, its local time, where and what.
// Nothing is written before the first line. When the next line would take the file past
// Max_Bytes, the older half goes, at a line's end. Each line is on the disk before the call
// returns, so a crash keeps what led to it. One caller at a time: the backend serialises.
class Trace_File final : public Trace {
  public:
    static constexpr size_t Default_Max_Bytes = 256 * 1024;
    static constexpr size_t Max_Line_Bytes = 1024; // a runaway message stays one readable line

    Trace_File(File_System& Files, std::string Path, size_t Max_Bytes = Default_Max_Bytes)
        : Files_(Files), Path_(std::move(Path)), Max_Bytes_(Max_Bytes) {}
    void Failure(std::string_view Where, std::string_view What) override { Add(Where, What); }
    void Note(std::string_view Where, std::string_view What) override { Add(Where, What); }

  private:
    // Never throws: losing a trace line must not become the caller's failure.
    void Add(std::string_view Where, std::string_view What) noexcept;

    File_System& Files_;
    const std::string Path_;
    const size_t Max_Bytes_;
    std::optional<uint64_t> Size_; // unknown until the first line, and after a failed write
};
