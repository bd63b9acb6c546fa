#pragma once
#include "mainwindow/Main.h"

// Held around every nested loop of our own (menu, message box, dialog): a clipboard change
// that arrives meanwhile is filed when the outermost loop ends, so no command acts on a slot
// the user did not choose.
class Nested_Loop {
  public:
    explicit Nested_Loop(Main& M);
    Nested_Loop(const Nested_Loop&) = delete;
    Nested_Loop& operator=(const Nested_Loop&) = delete;
    ~Nested_Loop();

  private:
    Main& M_;
};
