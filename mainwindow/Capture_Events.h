#pragma once
#include "mainwindow/Main.h"

// The clipboard changed (the watcher's event).
void Clip_NewClipboardElement(Main& M);
// Files a capture that waited for the nested loops to end (none open any more).
void File_Pending_Capture(Main& M);
// Verify_Locks of the slot list, then Form_Resize when it added a slot.
void Main_Verify_Locks(Main& M);

// Every change worth saving; restarts the background save delay.
void Note_Change(Main& M);
// The background save delay ran out.
void Save_Timer_Tick(Main& M);
