#pragma once

struct Main;

// Gives the main window its commands and the dialogs they keep between uses.
void Install_Commands(Main& M);
