#include "win32/tests/Check.h"

int Clipboard_Tests();
int File_System_Tests();
int Popup_Menu_Tests();
int Surface_Tests();
int Text_Codec_Tests();
int Dialog_Tests();
int Window_Tests();

int wmain() {
    const struct {
        const char* Name;
        int (*Run)();
    } Groups[] = {{"clipboard", Clipboard_Tests}, {"file system", File_System_Tests},
                  {"popup menu", Popup_Menu_Tests}, {"surface", Surface_Tests},
                  {"text codec", Text_Codec_Tests}, {"dialogs", Dialog_Tests},
                  {"windows", Window_Tests}};
    int Failed = 0;
    for (const auto& G : Groups) {
        const int F = G.Run();
        std::printf("%-12s %s\n", G.Name, F == 0 ? "ok" : "FAILED");
        Failed += F;
    }
    return Failed == 0 ? 0 : 1;
}
