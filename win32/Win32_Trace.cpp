#include "win32/Win32_Trace.h"

#include <utility>

namespace {

class Exclusive {
  public:
    explicit Exclusive(SRWLOCK& Lock) : Lock_(Lock) { AcquireSRWLockExclusive(&Lock_); }
    ~Exclusive() { ReleaseSRWLockExclusive(&Lock_); }
    Exclusive(const Exclusive&) = delete;
    Exclusive& operator=(const Exclusive&) = delete;

  private:
    SRWLOCK& Lock_;
};

} // namespace

void Win32_Trace::Write_To(std::string Path) {
    Exclusive Hold(Lock_);
    File_.emplace(Files_, std::move(Path));
}

void Win32_Trace::Failure(std::string_view Where, std::string_view What) {
    Debug_Output(Where, What);
    Exclusive Hold(Lock_);
    if (File_) File_->Failure(Where, What);
}

void Win32_Trace::Note(std::string_view Where, std::string_view What) {
    Exclusive Hold(Lock_);
    if (File_) File_->Note(Where, What);
}
