#pragma once
#include "platform/Clipboard.h"

#include <functional>
#include <optional>
#include <string>

// The clipboard as one Unicode text with its sequence number. Every change, our own writes
// included, posts one change notification; they wait until the test pumps the message loop,
// as WM_CLIPBOARDUPDATE does. Text goes through UTF-16 as on Windows and ends at its first
// NUL. Busy fails reads and writes; Excluded marks the content private. Leaves out other
// formats, owners, delayed rendering and the U+FFFD that replaces bytes of no UTF-8 sequence.
struct Fake_Clipboard : Clipboard {
    std::optional<std::string> Content;
    bool Busy = false, Excluded = false;
    uint32_t Seq = 1;
    int Posted = 0; // notifications not yet delivered
    std::function<void()> On_Change;

    void Change(std::string_view Text) {
        Content = std::string(Text.substr(0, Text.find('\0')));
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
