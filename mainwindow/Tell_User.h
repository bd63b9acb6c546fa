#pragma once
#include <string>

struct Platform_Context;
class Capture_Gate;

// Tells the user of a failure that needs no answer: in a tray balloon when the text fits in
// one, otherwise, so that nothing of it is cut, in a message box (a nested loop of Gate's).
void Tell_User(Platform_Context& P, Capture_Gate& Gate, const std::string& Text);
