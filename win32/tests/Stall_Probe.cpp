// Asks PimLoft's main window for an answer (WM_NULL) every millisecond or so for the given
// number of seconds and prints every wait of more than 16 ms as "stall|<ms>|<s since start>",
// then "done|<messages>|<longest ms>". For the figures on how the window keeps answering.
#include "win32/Win32_Main_Window.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>

int wmain(int Argc, wchar_t** Argv) {
    using Clock = std::chrono::steady_clock;
    const double Seconds = Argc > 1 ? std::wcstod(Argv[1], nullptr) : 10;
    HWND Window = nullptr;
    for (int Try = 0; Try < 200 && !Window; ++Try, Sleep(50))
        Window = FindWindowW(Main_Class_Name, nullptr);
    if (!Window) return std::printf("failed|no window\n"), 1;
    const auto Ms = [](Clock::time_point From, Clock::time_point To) {
        return std::chrono::duration<double, std::milli>(To - From).count();
    };
    long Sent = 0;
    double Longest = 0;
    const Clock::time_point Start = Clock::now();
    for (Clock::time_point Before; Before = Clock::now(), Ms(Start, Before) <= Seconds * 1000;
         ++Sent, Sleep(1)) {
        DWORD_PTR Result = 0;
        if (!SendMessageTimeoutW(Window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &Result))
            return std::printf("failed|no answer in 30 s\n"), 1;
        const double Wait = Ms(Before, Clock::now());
        Longest = std::max(Longest, Wait);
        if (Wait > 16) std::printf("stall|%.1f|%.2f\n", Wait, Ms(Start, Before) / 1000);
        std::fflush(stdout);
    }
    std::printf("done|%ld|%.1f\n", Sent, Longest);
    return 0;
}
