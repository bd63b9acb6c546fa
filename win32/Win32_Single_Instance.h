#pragma once
#include "win32/Unique_Handle.h"

// One PimLoft per user session: two would overwrite each other's data file. True when another
// instance runs; otherwise Mutex holds the session's mutex, to be kept for the whole run.
bool Another_Instance_Running(Unique_Kernel_Handle& Mutex);

// Asks the running instance to show its window; waits briefly for it to have one.
void Show_Running_Instance();
