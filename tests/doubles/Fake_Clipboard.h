#pragma once
#include "platform/Clipboard.h"
#include "tests/doubles/Call_Log.h"

#include <functional>
#include <optional>
#include <string>

// The clipboard as one optional text. A successful write raises On_Change before it returns,
// as the system's change notification does for our own writes; Copy_From_Other_Program is
// another program's copy. Busy fails reads and writes; Excluded marks the content private.
// Leaves out other formats, owners and delayed rendering.
struct Fake_Clipboard : Clipboard, Logged {
    std::optional<std::string> Content;
    bool Busy = false, Excluded = false;
    int Writes = 0;
    std::function<void()> On_Change;

    void Copy_From_Other_Program(std::string Text) {
        Content = std::move(Text);
        if (On_Change) On_Change();
    }

    Clip_Read Read_Text() override {
        Clip_Read R;
        if (Busy)
            R.Status = Clip_Status::Busy;
        else if (Excluded)
            R.Status = Clip_Status::Excluded;
        else if (!Content)
            R.Status = Clip_Status::No_Text;
        else if (Content->size() > Max_Clip_Bytes)
            R.Status = Clip_Status::Too_Large;
        else {
            R.Status = Clip_Status::Text;
            R.Text = Content->substr(0, Content->find('\0'));
        }
        return R;
    }

    bool Write_Text(std::string_view Utf8) override {
        ++Writes;
        Note("Clipboard_Write " + std::string(Utf8.substr(0, 40)));
        if (Busy) return false;
        Content = std::string(Utf8);
        if (On_Change) On_Change();
        return true;
    }
};

// The watcher as a running flag; the clipboard double raises the event itself.
struct Fake_Clip_Watcher : Clip_Watcher, Logged {
    bool Running = false;

    void Start() override {
        Running = true;
        Note("Clip_Start");
    }
    void Stop() override {
        Running = false;
        Note("Clip_Stop");
    }
};
