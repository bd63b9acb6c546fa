#pragma once
#include "mainwindow/Main.h"

#include <string_view>

// The clipboard changed (the watcher's event).
void Clip_NewClipboardElement(Main& M);

// The clipboard was busy when a change arrived: another try at reading it.
void Clip_Retry_Tick(Main& M);

// Files the copies that wait for our loops to close, now: exit must not drop them.
void File_Pending_Copies(Main& M);

// Puts Text on the clipboard as our own write, which capture then passes over. False when the
// clipboard could not be written.
bool Write_Own_Clipboard(Main& M, std::string_view Text);

// Verify_Locks of the slot list, then Form_Resize when it added a slot.
void Main_Verify_Locks(Main& M);

// Held around every nested loop of our own (menu, message box, dialog) and the command it
// leads to: clipboard changes meanwhile are read at once and filed when the last loop ends.
class Nested_Loop {
  public:
    explicit Nested_Loop(Main& M);
    Nested_Loop(const Nested_Loop&) = delete;
    Nested_Loop& operator=(const Nested_Loop&) = delete;
    ~Nested_Loop();

  private:
    Main& M_;
};
