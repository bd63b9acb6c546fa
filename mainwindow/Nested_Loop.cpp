#include "mainwindow/Nested_Loop.h"

#include "mainwindow/Capture_Events.h"

Nested_Loop::Nested_Loop(Main& M) : M_(M) {
    ++M_.Nested_Loops;
}

Nested_Loop::~Nested_Loop() {
    --M_.Nested_Loops;
    try {
        File_Pending_Capture(M_);
    } catch (...) {
    }
}
