#pragma once

struct Platform_Context;

// "Start PimLoft when I log on": a value of the current user's Run key holding the exe's
// quoted full path.
// True only when the value starts this copy of the program.
bool Starts_At_Logon(Platform_Context& P);
// Writes the value for this copy, or removes it when it names this copy; another copy's value
// is left alone. False when the registry refused.
bool Set_Start_At_Logon(Platform_Context& P, bool On);
