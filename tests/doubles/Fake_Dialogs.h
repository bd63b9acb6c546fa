#pragma once
#include "platform/Dialogs.h"
#include "tests/doubles/Fake_Windows.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

// The three dialogs as plain control state. While one is shown modally the main window is
// disabled and the factory's On_* script runs: what the user does meanwhile. A script that
// leaves the dialog open closes it through the frame (its Cancel). Leaves out drawing, focus,
// tab order and keys; a disabled control ignores clicks.
struct Fake_Dialog_Factory;

template <class K, class V> V Get(const std::map<K, V>& M, K Key) {
    const auto It = M.find(Key);
    return It == M.end() ? V() : It->second;
}

struct Fake_Edit_Sel_View : Edit_Sel_View {
    using C = Edit_Sel_Control;
    explicit Fake_Edit_Sel_View(Fake_Dialog_Factory& F) : Factory(F) {}
    Fake_Dialog_Factory& Factory;
    Edit_Sel_Events* Events = nullptr;
    std::map<C, std::string> Texts;
    std::map<C, Rect> Places{{C::Editing, {0, 0, 313, 105}},   {C::OKButton, {160, 184, 225, 209}},
                             {C::CancelButton, {240, 184, 305, 209}}, {C::TipBack, {0, 136, 313, 161}},
                             {C::Label1, {4, 4, 109, 21}},     {C::Tip, {112, 0, 313, 25}}};
    int Width = 314, Height = 213;
    bool Visible = false;
    void Set_Events(Edit_Sel_Events* E) override { Events = E; }
    void Set_Text(C Ctl, std::string_view S) override { Texts[Ctl] = S; }
    std::string Text(C Ctl) const override { return Get(Texts, Ctl); }
    Rect Bounds(C Ctl) const override { return Places.at(Ctl); }
    void Set_Bounds(C Ctl, const Rect& R) override {
        const bool Wider = Ctl == C::TipBack && R.Width() != Places[Ctl].Width();
        Places[Ctl] = R;
        if (Wider && Events) Events->TipBack_Resize();
    }
    int Inner_Width() const override { return Width; }
    int Inner_Height() const override { return Height; }
    inline void Show_Modal() override;
    void Hide() override { Visible = false; }
    void Resize(int W, int H) { // the user drags the frame
        Width = W, Height = H;
        if (Events) Events->Form_Resize();
    }
};

struct Fake_Options_View : Options_View {
    using C = Options_Control;
    explicit Fake_Options_View(Fake_Dialog_Factory& F) : Factory(F) {}
    Fake_Dialog_Factory& Factory;
    Options_Events* Events = nullptr;
    std::map<C, int> Values;
    std::map<C, bool> Disabled;
    std::map<C, std::string> Captions;
    std::map<C, Font_Spec> Fonts;
    bool Visible = false;
    void Set_Events(Options_Events* E) override { Events = E; }
    void Set_Value(C Ctl, int V) override {
        if ((Ctl == C::News0 || Ctl == C::News1 || Ctl == C::News2) && V)
            Values[C::News0] = Values[C::News1] = Values[C::News2] = 0;
        Values[Ctl] = V;
    }
    int Value(C Ctl) const override { return Get(Values, Ctl); }
    void Set_Enabled(C Ctl, bool On) override { Disabled[Ctl] = !On; }
    bool Enabled(C Ctl) const override { return !Get(Disabled, Ctl); }
    void Set_Caption(C Ctl, std::string_view S) override { Captions[Ctl] = S; }
    std::string Caption(C Ctl) const override { return Get(Captions, Ctl); }
    inline void Set_Label_Font(C Label, const Font_Spec& Font) override;
    Font_Spec Label_Font(C Label) const override { return Get(Fonts, Label); }
    inline void Show_Modal() override;
    void Hide() override { Visible = false; }
    // A click as the user makes it: check boxes toggle, option buttons turn on.
    void Click(C Ctl) {
        if (!Enabled(Ctl)) return;
        if (Ctl == C::cDelWarn || Ctl == C::cCase || Ctl == C::cToolTip) Values[Ctl] = !Value(Ctl);
        if (Ctl == C::News0 || Ctl == C::News1 || Ctl == C::News2) Set_Value(Ctl, 1);
        if (Ctl == C::cToolTip) Events->cToolTip_Click();
        if (Ctl == C::FontButton) Events->FontButton_Click();
        if (Ctl == C::ToolButton) Events->ToolButton_Click();
        if (Ctl == C::OKButton) Events->OKButton_Click();
        if (Ctl == C::CancelButton) Events->CancelButton_Click();
    }
};

struct Fake_About_View : About_View {
    explicit Fake_About_View(Fake_Dialog_Factory& F) : Factory(F) {}
    Fake_Dialog_Factory& Factory;
    About_Events* Events = nullptr;
    std::map<About_Control, std::string> Texts{{About_Control::lblDescription, "App Description"}};
    void Set_Events(About_Events* E) override { Events = E; }
    void Set_Text(About_Control Ctl, std::string_view S) override { Texts[Ctl] = S; }
    inline void Show_Modal() override;
};

struct Fake_Dialog_Factory : Dialog_Factory {
    explicit Fake_Dialog_Factory(bool& Owner_Enabled) : Owner(Owner_Enabled) {}
    bool& Owner;
    std::function<void(Fake_Edit_Sel_View&)> On_Edit_Sel;
    std::function<void(Fake_Options_View&)> On_Options;
    std::function<void(Fake_About_View&)> On_About;
    std::function<Font_Spec(const Font_Spec&)> Realize_Label_Font; // the font a label gets
    Fake_Edit_Sel_View* Edit_Sel = nullptr; // the views made last; the logic owns them
    Fake_Options_View* Options = nullptr;
    int Created = 0;
    std::map<About_Control, std::string> About_Texts; // as the last About box showed them
    template <class V> std::unique_ptr<V> Make(V*& Last) {
        ++Created;
        auto P = std::make_unique<V>(*this);
        Last = P.get();
        return P;
    }
    std::unique_ptr<Edit_Sel_View> Create_Edit_Sel() override { return Make(Edit_Sel); }
    std::unique_ptr<Options_View> Create_Options() override { return Make(Options); }
    std::unique_ptr<About_View> Create_About() override {
        Fake_About_View* Unused = nullptr;
        return Make(Unused);
    }
};

inline void Fake_Edit_Sel_View::Show_Modal() {
    Modal_Scope Modal(Factory.Owner);
    Visible = true;
    if (Factory.On_Edit_Sel) Factory.On_Edit_Sel(*this);
    if (Visible) Events->CancelButton_Click();
}
inline void Fake_Options_View::Set_Label_Font(C Label, const Font_Spec& Font) {
    Fonts[Label] = Factory.Realize_Label_Font ? Factory.Realize_Label_Font(Font) : Font;
}
inline void Fake_Options_View::Show_Modal() {
    Modal_Scope Modal(Factory.Owner);
    Visible = true;
    if (Factory.On_Options) Factory.On_Options(*this);
    if (Visible) Events->CancelButton_Click();
}
inline void Fake_About_View::Show_Modal() {
    Modal_Scope Modal(Factory.Owner);
    Factory.About_Texts = Texts;
    if (Factory.On_About) Factory.On_About(*this);
}
