#pragma once
#include "platform/Dialogs.h"

#include <memory>

// The Edit Selection dialog: created on first use, then only hidden until the program ends,
// so its size and place carry over between uses.
struct EditSel final : Edit_Sel_Events {
    explicit EditSel(std::unique_ptr<Edit_Sel_View> View);
    EditSel(const EditSel&) = delete;
    EditSel& operator=(const EditSel&) = delete;
    ~EditSel() override;

    std::unique_ptr<Edit_Sel_View> View;
    bool Accepted = false;

    void OKButton_Click() override;
    void CancelButton_Click() override;
    void Form_Resize() override;
    void TipBack_Resize() override;
};

struct Command_Context;

void mnuEdit_Click(Command_Context& Ctx, std::unique_ptr<EditSel>& Dialog);
