#pragma once
#include "mainwindow/Main.h"

#include <string>

// A command that writes the clipboard itself (Clear, Delete, Edit) would, once its nested loop
// ends, leave the deferred capture to read its own write and lose what the user copied while
// the box or dialog was open. Declared before the command's Nested_Loop, this takes that text
// before the command writes and files it after the loop has ended.
class Late_Capture {
  public:
    explicit Late_Capture(Main& M) : M_(M) {}
    Late_Capture(const Late_Capture&) = delete;
    Late_Capture& operator=(const Late_Capture&) = delete;
    ~Late_Capture();

    // Call after the box or dialog closed, before the command touches the clipboard.
    void Take();

  private:
    Main& M_;
    bool Taken_ = false;
    std::string Text_;
};
