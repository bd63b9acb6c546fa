#pragma once
#include "mainwindow/Main.h"

#include <memory>

// The menu commands and the dialogs they open. Created once beside the main window; the
// dialogs are created on first use and only hidden until the program ends.
class Dialog_Commands final : public Command_Handlers {
  public:
    explicit Dialog_Commands(Main& M);
    ~Dialog_Commands() override;
    Dialog_Commands(const Dialog_Commands&) = delete;
    Dialog_Commands& operator=(const Dialog_Commands&) = delete;

    void mnuEdit_Click() override;
    void mnuAdd_Click() override;
    void mnuCopy_Click() override;
    void mnuClear_Click() override;
    void mnuDelete_Click() override;
    void mnuPrint_Click() override;
    void mnuOptions_Click() override;
    void mnuTop_Click() override;
    void mnuHelp_Click() override;
    void mnuAbout_Click() override;

  private:
    struct State;
    Main& M_;
    std::unique_ptr<State> S_;
};
