#include "win32/Win32_Clipboard.h"

#include "win32/Unique_Handle.h"
#include "win32/Win32_Clipboard_Owner.h"
#include "win32/Win32_Text.h"

#include <cstring>
#include <cwchar>

namespace {

// Another program often holds the clipboard for a moment; about 200 ms in all.
constexpr int Open_Tries = 10;
constexpr DWORD Open_Wait_Ms = 20;

// Locks a global block for one scope.
class Global_Lock {
  public:
    explicit Global_Lock(HGLOBAL H) : H_(H), P_(H ? GlobalLock(H) : nullptr) {}
    Global_Lock(const Global_Lock&) = delete;
    Global_Lock& operator=(const Global_Lock&) = delete;
    ~Global_Lock() {
        if (P_) GlobalUnlock(H_);
    }
    void* Get() const { return P_; }

  private:
    HGLOBAL H_;
    void* P_;
};

} // namespace

Win32_Clipboard::Win32_Clipboard(HWND Owner)
    : Owner_(Owner),
      Exclude_Format_(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing")),
      Viewer_Ignore_Format_(RegisterClipboardFormatW(L"Clipboard Viewer Ignore")),
      History_Format_(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory")) {}

bool Win32_Clipboard::Open_With_Retry() {
    for (int Try = 0; Try < Open_Tries; ++Try) {
        if (OpenClipboard(Owner_)) return true;
        Sleep(Open_Wait_Ms);
    }
    return false;
}

bool Win32_Clipboard::Is_Excluded() const {
    if (Exclude_Format_ && IsClipboardFormatAvailable(Exclude_Format_)) return true;
    if (Viewer_Ignore_Format_ && IsClipboardFormatAvailable(Viewer_Ignore_Format_)) return true;
    if (History_Format_ && IsClipboardFormatAvailable(History_Format_)) {
        HANDLE H = GetClipboardData(History_Format_);
        Global_Lock Lock(static_cast<HGLOBAL>(H));
        if (Lock.Get() && GlobalSize(static_cast<HGLOBAL>(H)) >= sizeof(DWORD)) {
            DWORD Value = 0;
            std::memcpy(&Value, Lock.Get(), sizeof Value);
            if (Value == 0) return true;
        }
    }
    return false;
}

Clip_Read Win32_Clipboard::Read_Text() {
    Clip_Read R;
    Clipboard_Guard Guard(Open_With_Retry());
    if (!Guard) {
        R.Status = Clip_Status::Busy;
        return R;
    }
    // While it is open no one can empty it: the owner is the text's.
    R.Program = Clipboard_Owner_Program();
    if (Is_Excluded()) {
        R.Status = Clip_Status::Excluded;
        return R;
    }
    HANDLE H =
        IsClipboardFormatAvailable(CF_UNICODETEXT) ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    Global_Lock Lock(static_cast<HGLOBAL>(H));
    if (!Lock.Get()) return R; // No_Text
    // The block may be larger than the text and need not hold a NUL at all.
    const auto* W = static_cast<const wchar_t*>(Lock.Get());
    const size_t Units = wcsnlen(W, GlobalSize(static_cast<HGLOBAL>(H)) / sizeof(wchar_t));
    // Every unit gives at least one UTF-8 byte: no need to convert what is already too large.
    if (Units > Max_Clip_Bytes) {
        R.Status = Clip_Status::Too_Large;
        return R;
    }
    R.Text = To_Utf8(W, Units);
    if (R.Text.size() > Max_Clip_Bytes) {
        R.Text = std::string();
        R.Status = Clip_Status::Too_Large;
        return R;
    }
    R.Status = Clip_Status::Text;
    return R;
}

bool Win32_Clipboard::Empty() {
    Clipboard_Guard Guard(Open_With_Retry());
    return Guard && EmptyClipboard();
}

bool Win32_Clipboard::Write_Text(std::string_view Utf8) {
    const std::wstring W = To_Wide(Utf8);
    Unique_Global Block(GlobalAlloc(GMEM_MOVEABLE, (W.size() + 1) * sizeof(wchar_t)));
    if (!Block) return false;
    {
        Global_Lock Lock(Block.Get());
        if (!Lock.Get()) return false;
        std::memcpy(Lock.Get(), W.c_str(), (W.size() + 1) * sizeof(wchar_t));
    }
    Clipboard_Guard Guard(Open_With_Retry());
    if (!Guard || !EmptyClipboard()) return false;
    if (!SetClipboardData(CF_UNICODETEXT, Block.Get())) return false;
    Block.Release(); // the clipboard owns it now
    return true;
}
