#pragma once
#include "mainwindow/Main.h"

#include <string>

// The rows as the hit tests see them, and Tip's tool tip.
bool Row_Exists(const Main& M, int Row);
// The slot shown on an existing row; Nil_Slot for a row the last lay-out left without one.
int16_t Slot_On_Row(const Main& M, int Row);
void Set_Tip_Text(Main& M, const std::string& Text);
