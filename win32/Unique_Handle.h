#pragma once
#include <windows.h>

#include <utility>

// One move-only owner for every kind of Win32 handle; Traits names the invalid value and how
// to release it. Copying would release twice, so it cannot be copied.
template <typename Traits> class Unique_Handle {
  public:
    using Handle = typename Traits::Handle;

    Unique_Handle() = default;
    explicit Unique_Handle(Handle H) : H_(H) {}
    Unique_Handle(const Unique_Handle&) = delete;
    Unique_Handle& operator=(const Unique_Handle&) = delete;
    Unique_Handle(Unique_Handle&& Other) noexcept : H_(Other.Release()) {}
    Unique_Handle& operator=(Unique_Handle&& Other) noexcept {
        if (this != &Other) Reset(Other.Release());
        return *this;
    }
    ~Unique_Handle() { Reset(); }

    Handle Get() const { return H_; }
    explicit operator bool() const { return H_ != Traits::Invalid(); }
    Handle Release() { return std::exchange(H_, Traits::Invalid()); }
    void Reset(Handle H = Traits::Invalid()) {
        if (H_ != Traits::Invalid()) Traits::Close(H_);
        H_ = H;
    }

  private:
    Handle H_ = Traits::Invalid();
};

template <typename T, auto Closer> struct Win32_Traits { // a closer that takes the handle alone
    using Handle = T;
    static constexpr T Invalid() { return nullptr; }
    static void Close(T H) { Closer(H); }
};

struct File_Traits {
    using Handle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE H) { CloseHandle(H); }
};

struct Find_Traits { // FindFirstFile's search, which fails as files do
    using Handle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE H) { FindClose(H); }
};

using Unique_File = Unique_Handle<File_Traits>;
using Unique_Find = Unique_Handle<Find_Traits>;
using Unique_Kernel_Handle = Unique_Handle<Win32_Traits<HANDLE, CloseHandle>>;
using Unique_Gdi = Unique_Handle<Win32_Traits<HGDIOBJ, DeleteObject>>;
using Unique_Dc = Unique_Handle<Win32_Traits<HDC, DeleteDC>>;
using Unique_Menu = Unique_Handle<Win32_Traits<HMENU, DestroyMenu>>;
using Unique_Window = Unique_Handle<Win32_Traits<HWND, DestroyWindow>>;
using Unique_Key = Unique_Handle<Win32_Traits<HKEY, RegCloseKey>>;
using Unique_Global = Unique_Handle<Win32_Traits<HGLOBAL, GlobalFree>>;

// Keeps the clipboard open for one scope; every path closes it.
class Clipboard_Guard {
  public:
    explicit Clipboard_Guard(bool Opened) : Open_(Opened) {}
    Clipboard_Guard(const Clipboard_Guard&) = delete;
    Clipboard_Guard& operator=(const Clipboard_Guard&) = delete;
    ~Clipboard_Guard() {
        if (Open_) CloseClipboard();
    }
    explicit operator bool() const { return Open_; }

  private:
    bool Open_;
};

// One object selected into a DC; the one it replaced goes back on every path, before either
// can be deleted. Movable, so a long-lived selection can be a member.
class Gdi_Selection {
  public:
    Gdi_Selection() = default;
    Gdi_Selection(HDC Dc, HGDIOBJ Object)
        : Dc_(Dc), Old_(Dc && Object ? SelectObject(Dc, Object) : nullptr) {}
    Gdi_Selection(const Gdi_Selection&) = delete;
    Gdi_Selection& operator=(const Gdi_Selection&) = delete;
    Gdi_Selection(Gdi_Selection&& Other) noexcept
        : Dc_(Other.Dc_), Old_(std::exchange(Other.Old_, nullptr)) {}
    Gdi_Selection& operator=(Gdi_Selection&& Other) noexcept {
        if (this != &Other) {
            Restore();
            Dc_ = Other.Dc_;
            Old_ = std::exchange(Other.Old_, nullptr);
        }
        return *this;
    }
    ~Gdi_Selection() { Restore(); }
    void Restore() {
        if (Old_) SelectObject(Dc_, std::exchange(Old_, nullptr));
    }

  private:
    HDC Dc_ = nullptr;
    HGDIOBJ Old_ = nullptr;
};
