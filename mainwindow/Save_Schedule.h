#pragma once
#include "mainwindow/Main.h"

#include <string>

// Reads the data file into the store; a fresh or unreadable file leaves the defaults.
void Main_Load_Data(Main& M);
// "" on success, otherwise the reason; a success also marks every change so far as saved.
std::string Main_Save_Data(Main& M);
// The longest a change waits for the disk.
inline constexpr int Save_Delay_Ms = 2000;

// The background save delay ran out.
void Save_Timer_Tick(Main& M);
// Saves now; a failure is told (once while it repeats) and tried again after Retry_Ms.
void Save_Or_Retry(Main& M, int Retry_Ms);
// No timed save from now on (exit).
void Stop_Saves(Main& M);
