#include "win32/tests/Check.h"

#include <windows.h>

int wmain() {
    struct Group {
        const char* Name;
        int (*Run)();
    };
    const Group Groups[] = {
        {"clipboard", Clipboard_Tests},   {"file system", File_System_Tests},
        {"popup menu", Popup_Menu_Tests}, {"surface", Surface_Tests},
        {"text codec", Text_Codec_Tests},
    };
    int Failed = 0;
    for (const Group& G : Groups) {
        const int F = G.Run();
        std::printf("%-12s %s\n", G.Name, F == 0 ? "ok" : "FAILED");
        Failed += F;
    }
    return Failed == 0 ? 0 : 1;
}
