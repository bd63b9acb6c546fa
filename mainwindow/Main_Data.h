#pragma once
#include "mainwindow/Main.h"

#include <string>

// The data file as the main window loads and saves it.
void Main_Load_Data(Main& M);
// "" on success, otherwise the reason; a success also marks every change so far as saved.
std::string Main_Save_Data(Main& M);
// The data file's full path, for messages.
std::string Main_Data_File(const Main& M);
