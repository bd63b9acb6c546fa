#include "commands/Dialog_Commands.h"

#include "commands/About.h"
#include "commands/Edit_Sel.h"
#include "commands/Options.h"
#include "commands/Printing.h"
#include "commands/Slot_Commands.h"

struct Dialog_Commands::State {
    std::unique_ptr<EditSel> Edit;
    std::unique_ptr<Options_Dialog> Options;
};

namespace {

// Commands run inside window procedures: nothing may escape them. A failure ends the
// command, keeping what it already changed, as a failed capture does.
template <class F> void Guarded(F&& Command) {
    try {
        Command();
    } catch (...) {
    }
}

} // namespace

Dialog_Commands::Dialog_Commands(Main& M) : M_(M), S_(std::make_unique<State>()) {}
Dialog_Commands::~Dialog_Commands() = default;

void Dialog_Commands::mnuEdit_Click() {
    Guarded([&] { ::mnuEdit_Click(M_, S_->Edit); });
}
void Dialog_Commands::mnuAdd_Click() {
    Guarded([&] { ::mnuAdd_Click(M_); });
}
void Dialog_Commands::mnuCopy_Click() {
    Guarded([&] { ::mnuCopy_Click(M_); });
}
void Dialog_Commands::mnuClear_Click() {
    Guarded([&] { ::mnuClear_Click(M_); });
}
void Dialog_Commands::mnuDelete_Click() {
    Guarded([&] { ::mnuDelete_Click(M_); });
}
void Dialog_Commands::mnuPrint_Click() {
    Guarded([&] { ::mnuPrint_Click(M_); });
}
void Dialog_Commands::mnuOptions_Click() {
    Guarded([&] { ::mnuOptions_Click(M_, S_->Options); });
}
void Dialog_Commands::mnuTop_Click() {
    Guarded([&] { ::mnuTop_Click(M_); });
}
void Dialog_Commands::mnuHelp_Click() {
    Guarded([&] { ::mnuHelp_Click(M_); });
}
void Dialog_Commands::mnuAbout_Click() {
    Guarded([&] { ::mnuAbout_Click(M_); });
}
