#pragma once
#include "mainwindow/Main.h"

#include <string>

// Tells the user of a failure that needs no answer: in a tray balloon when the text fits in
// one, otherwise, so that nothing of it is cut, in a message box.
void Tell_User(Main& M, const std::string& Text);
