#include "commands/Command_Table.h"

#include "commands/About.h"
#include "commands/Edit_Sel.h"
#include "commands/Forget_Copies.h"
#include "commands/Options.h"
#include "commands/Printing.h"
#include "commands/Quick_Paste.h"
#include "commands/Slot_Commands.h"
#include "mainwindow/Command_Context.h"

Command_Set::Command_Set() = default;
Command_Set::~Command_Set() = default;

namespace {

void Edit(Command_Context& Ctx) {
    mnuEdit_Click(Ctx, Ctx.Kept.Edit);
}
void Options(Command_Context& Ctx) {
    mnuOptions_Click(Ctx, Ctx.Kept.Options);
}
void Show(Command_Context& Ctx) {
    Ctx.Host.Show();
}
void Exit(Command_Context& Ctx) {
    Ctx.Host.Exit();
}

using I = Menu_Item;

// mnuRight in its order, with the shortcut texts it shows and the keys that run the same
// commands.
constexpr Command Table[] = {
    {I::mnuShow, "&Show Clipboards", nullptr, Key::Other, false, Show},
    {I::mnuEdit, "&Edit Selection", nullptr, Key::Other, false, Edit},
    {I::mnuHyphen1, nullptr, nullptr, Key::Other, false, nullptr},
    {I::mnuAdd, "&Add Slot", "Ctrl+N", Key::N, true, mnuAdd_Click},
    {I::mnuCopy, "&Copy Slot", "Ctrl+C", Key::C, true, mnuCopy_Click},
    {I::mnuClear, "Clea&r Slot", "Del", Key::Delete, false, mnuClear_Click},
    {I::mnuDelete, "&Delete Slot", "Ctrl+X", Key::X, true, mnuDelete_Click},
    {I::mnuPrint, "&Print Slot", "Ctrl+P", Key::P, true, mnuPrint_Click},
    {I::mnuHyphen2, nullptr, nullptr, Key::Other, false, nullptr},
    {I::mnuOptions, "&Options...", nullptr, Key::Other, false, Options},
    {I::mnuTop, "Always on &Top", nullptr, Key::Other, false, mnuTop_Click},
    {I::mnuPause, "Pa&use Capture", nullptr, Key::Other, false, mnuPause_Click},
    {I::mnuForget, "&Forget Unlocked Copies...", nullptr, Key::Other, false, mnuForget_Click},
    {I::mnuHyphen3, nullptr, nullptr, Key::Other, false, nullptr},
    {I::mnuHelp, "&Help", "F1", Key::F1, false, mnuHelp_Click},
    {I::mnuAbout, "About Pim&Loft...", nullptr, Key::Other, false, mnuAbout_Click},
    {I::mnuHyphen4, nullptr, nullptr, Key::Other, false, nullptr},
    {I::mnuExit, "E&xit PimLoft", nullptr, Key::Other, false, Exit},
};

void Install_Commands(Command_Context& Ctx) {
    Ctx.Kept.Paste = std::make_unique<Quick_Paste>(Ctx);
    Ctx.Host.Follow(Ctx.Kept.Paste.get());
}

} // namespace

Command_Hooks Program_Commands() {
    return {Table, Install_Commands, Start_Quick_Paste, Quick_Paste_Hotkey};
}
