#include "win32/tests/Check.h"

#include <windows.h>

int Edit_Sel_Window_Tests();
int Options_Window_Tests();
int About_Window_Tests();
int Registry_Tests();
int Font_Tests();

int wmain() {
    struct Group {
        const char* Name;
        int (*Run)();
    };
    const Group Groups[] = {
        {"edit selection", Edit_Sel_Window_Tests},
        {"options", Options_Window_Tests},
        {"about", About_Window_Tests},
        {"registry", Registry_Tests},
        {"fonts", Font_Tests},
    };
    int Failed = 0;
    for (const Group& G : Groups) {
        const int F = G.Run();
        std::printf("%-15s %s\n", G.Name, F == 0 ? "ok" : "FAILED");
        Failed += F;
    }
    return Failed == 0 ? 0 : 1;
}
