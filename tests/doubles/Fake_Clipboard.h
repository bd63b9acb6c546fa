#pragma once
#include "platform/Clipboard.h"

#include <functional>
#include <new>
#include <optional>
#include <string>

// One Unicode text and its sequence number. Every change, ours included, posts a notification
// that waits for the test to pump, as WM_CLIPBOARDUPDATE does; text ends at its first NUL.
// Leaves out other formats, delayed rendering and U+FFFD for bytes of no character.
struct Fake_Clipboard : Clipboard {
    std::optional<std::string> Content;
    std::string Program; // the content's owner, as a test sets it; no change of ours sets it
    bool Busy = false, Excluded = false;
    bool Write_Out_Of_Memory = false; // as converting a large text to UTF-16 may
    uint32_t Seq = 1;
    int Posted = 0; // notifications not yet delivered
    std::function<void()> On_Change;
    void Change(std::string_view Text) {
        Content = std::string(Text.substr(0, Text.find('\0')));
        ++Seq;
        ++Posted;
    }
    void Pump() { // delivers the posted notifications
        for (; Posted > 0; --Posted)
            if (On_Change) On_Change();
    }
    Clip_Read Read_Text() override {
        if (Busy) return {Clip_Status::Busy, "", ""};
        if (Excluded) return {Clip_Status::Excluded, Content.value_or(""), Program};
        if (!Content) return {Clip_Status::No_Text, "", Program};
        return {Clip_Status::Text, *Content, Program};
    }
    bool Write_Text(std::string_view Utf8) override {
        if (Write_Out_Of_Memory) throw std::bad_alloc();
        if (Busy) return false;
        Change(Utf8);
        return true;
    }
    bool Empty() override {
        if (Busy) return false;
        Change("");
        Content.reset();
        return true;
    }
    uint32_t Sequence() const override { return Seq; }
};

// The clipboard double posts the notifications itself.
struct Fake_Clipboard_Watcher : Clipboard_Watcher {
    void Start() override {}
    void Stop() override {}
};
