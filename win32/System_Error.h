#pragma once
#include <string>

// The system's words for an error code, without the trailing line break.
std::string System_Error_Text(unsigned long Code);
