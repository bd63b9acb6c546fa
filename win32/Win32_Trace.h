#pragma once
#include "platform/File_System.h"
#include "platform/Trace.h"
#include "storage/Trace_File.h"
#include "win32/Window_Object.h"

#include <windows.h>

#include <optional>
#include <string>

// The program's trace, from any thread: to the debugger output and, once its place is known,
// to the log file. Made first and gone last: while it lives it is the program's trace that
// window procedures reach.
class Win32_Trace final : public Trace {
  public:
    explicit Win32_Trace(File_System& Files) : Files_(Files) { Set_Program_Trace(this); }
    ~Win32_Trace() override { Set_Program_Trace(nullptr); }
    Win32_Trace(const Win32_Trace&) = delete;
    Win32_Trace& operator=(const Win32_Trace&) = delete;

    void Write_To(std::string Path);
    void Failure(std::string_view Where, std::string_view What) override;
    void Note(std::string_view Where, std::string_view What) override;

  private:
    File_System& Files_;
    SRWLOCK Lock_ = SRWLOCK_INIT;
    std::optional<Trace_File> File_;
};
