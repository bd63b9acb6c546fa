#pragma once
#include "platform/Clipboard.h"

#include <functional>
#include <optional>
#include <string>

// The clipboard as one Unicode text with its sequence number. Every change, our own writes
// included, posts one change notification; they wait until the test pumps the message loop,
// as WM_CLIPBOARDUPDATE does. Text goes through UTF-16 as on Windows: it ends at its first
// NUL and each byte that starts no valid UTF-8 sequence comes back as U+FFFD. Busy fails reads
// and writes; Excluded marks the content private. Leaves out other formats, owners, delayed
// rendering and the exact grouping of bad bytes into one U+FFFD.
struct Fake_Clipboard : Clipboard {
    std::optional<std::string> Content;
    bool Busy = false, Excluded = false;
    uint32_t Seq = 1;
    int Posted = 0; // notifications not yet delivered
    std::function<void()> On_Change;

    static std::string Through_Utf16(std::string_view S) {
        S = S.substr(0, S.find('\0'));
        std::string Out;
        for (size_t I = 0; I < S.size();) {
            const auto B = static_cast<unsigned char>(S[I]);
            const size_t Len = B < 0x80 ? 1 : B >= 0xC2 && B < 0xE0 ? 2 : B >= 0xE0 && B < 0xF0 ? 3
                               : B >= 0xF0 && B < 0xF5              ? 4
                                                                    : 0;
            bool Ok = Len > 0 && I + Len <= S.size();
            char32_t C = Len == 1 ? B : B & (0x7F >> Len);
            for (size_t K = 1; Ok && K < Len; ++K) {
                Ok = (static_cast<unsigned char>(S[I + K]) & 0xC0) == 0x80;
                C = (C << 6) | (S[I + K] & 0x3F);
            }
            static constexpr char32_t Min[] = {0, 0, 0x80, 0x800, 0x10000};
            Ok = Ok && C >= Min[Len] && C <= 0x10FFFF && (C < 0xD800 || C > 0xDFFF);
            Out += Ok ? S.substr(I, Len) : "\xEF\xBF\xBD";
            I += Ok ? Len : 1;
        }
        return Out;
    }
    void Change(std::string_view Text) {
        Content = Through_Utf16(Text);
        ++Seq;
        ++Posted;
    }
    // Delivers the posted notifications; true when there were any.
    bool Pump() {
        const bool Any = Posted > 0;
        for (; Posted > 0; --Posted)
            if (On_Change) On_Change();
        return Any;
    }
    Clip_Read Read_Text() override {
        if (Busy) return {Clip_Status::Busy, ""};
        if (Excluded) return {Clip_Status::Excluded, Content.value_or("")};
        if (!Content) return {Clip_Status::No_Text, ""};
        return {Clip_Status::Text, *Content};
    }
    bool Write_Text(std::string_view Utf8) override {
        if (Busy) return false;
        Change(Utf8);
        return true;
    }
    uint32_t Sequence() const override { return Seq; }
};

// The watcher as a running flag; the clipboard double posts the notifications itself.
struct Fake_Clip_Watcher : Clip_Watcher {
    bool Running = false;
    void Start() override { Running = true; }
    void Stop() override { Running = false; }
};
