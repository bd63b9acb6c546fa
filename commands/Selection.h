#pragma once
#include "mainwindow/Main.h"

// The selected slot when it is one of the list's slots. A damaged data file can leave
// Current_Slot on a free node; commands then act as if nothing were selected.
inline bool Has_Selection(const Main& M) {
    return Is_Chained(M.List, M.Util.Current_Slot);
}

inline Slot_Record& Selected(Main& M) {
    return Node(M.List, M.Util.Current_Slot).Data;
}
