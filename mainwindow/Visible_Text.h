#pragma once
#include "slots/Slot_Text.h"

#include <string>

// The part of Text that a DrawText without wrapping can show in a rectangle Width x Height
// pixels: the first lines that reach into it, each cut where it can no longer reach the right
// edge. Drawing the result shows exactly what drawing the whole text shows, at a cost that
// does not grow with the text.
std::string Visible_Text(const Slot_Text& Text, int Width, int Height, int Line_Height);
