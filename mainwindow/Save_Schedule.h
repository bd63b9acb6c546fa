#pragma once
#include "mainwindow/Main.h"

#include <string>

// Reads the data file into the store; a fresh or unreadable file leaves the defaults.
void Main_Load_Data(Main& M);
// "" on success, otherwise the reason; a success also marks every change so far as saved.
std::string Main_Save_Data(Main& M);
// The background save delay ran out.
void Save_Timer_Tick(Main& M);
