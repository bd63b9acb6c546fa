#pragma once
#include "platform/Trace.h"
#include "win32/Window_Object.h"

#include <algorithm>

// To the debugger's output, as the window procedures' failures go.
struct Win32_Trace : Trace {
    void Failure(std::string_view Where, std::string_view What) override {
        // No allocation: the failure may be that memory ran out.
        char Line[400];
        size_t N = 0;
        for (std::string_view Part : {Where, std::string_view(": "), What}) {
            const size_t Take = std::min(Part.size(), sizeof Line - 1 - N);
            std::copy_n(Part.data(), Take, Line + N);
            N += Take;
        }
        Line[N] = '\0';
        Report_Failure(Line);
    }
};
