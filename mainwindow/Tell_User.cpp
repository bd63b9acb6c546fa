#include "mainwindow/Tell_User.h"

#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Main.h"
#include "platform/PlatformContext.h"

namespace {

size_t Utf16_Units(const std::string& Utf8) {
    size_t N = 0;
    for (const char C : Utf8) {
        const auto B = static_cast<unsigned char>(C);
        if ((B & 0xC0) != 0x80) ++N;
        if (B >= 0xF0) ++N; // a surrogate pair
    }
    return N;
}

} // namespace

void Tell_User(Main& M, const std::string& Text) {
    if (Utf16_Units(Text) <= Max_Balloon_Units) {
        M.P.Tray.Balloon(M.P.Process.Title(), Text);
        return;
    }
    Nested_Loop Loop(M);
    M.P.Box.Ok(Text, M.P.Process.Title());
}
