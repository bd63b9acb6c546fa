#pragma once
#include "mainwindow/Capture_Events.h"
#include "mainwindow/Drawing.h"
#include "mainwindow/Input.h"
#include "mainwindow/Main.h"
#include "mainwindow/Startup.h"
#include "tests/doubles/Test_Platform.h"

#include <string>
#include <vector>

struct Logged_Commands : Command_Handlers {
    explicit Logged_Commands(Call_Log& L) : Log(L) {}
    Call_Log& Log;
    void mnuEdit_Click() override { Log.Add("cmd Edit"); }
    void mnuAdd_Click() override { Log.Add("cmd Add"); }
    void mnuCopy_Click() override { Log.Add("cmd Copy"); }
    void mnuClear_Click() override { Log.Add("cmd Clear"); }
    void mnuDelete_Click() override { Log.Add("cmd Delete"); }
    void mnuPrint_Click() override { Log.Add("cmd Print"); }
    void mnuOptions_Click() override { Log.Add("cmd Options"); }
    void mnuTop_Click() override { Log.Add("cmd Top"); }
    void mnuHelp_Click() override { Log.Add("cmd Help"); }
    void mnuAbout_Click() override { Log.Add("cmd About"); }
};

// Wired as the program wires it: resize and clipboard events reach the handlers at once.
struct Harness {
    Test_Platform T;
    Main M{T.Context};
    Logged_Commands Commands{T.Log};

    Harness() {
        M.Commands = &Commands;
        T.Window.On_Resize = [this] { Form_Resize(M); };
        T.Clip_Board.On_Change = [this] { Clip_NewClipboardElement(M); };
    }

    // A '*' prefix locks the slot; each slot's description is "tip " + its text.
    void Start_With(const std::vector<std::string>& Texts, int16_t Current = 0) {
        Form_Load(M);
        List_Init(M.List);
        for (const std::string& S : Texts) {
            const bool Locked = !S.empty() && S[0] == '*';
            const std::string Text = Locked ? S.substr(1) : S;
            int16_t Idx = 0;
            List_Insert(M.List, Slot_Record{Locked, Text, "tip " + Text}, Pos_Bottom, Idx);
        }
        M.Util.Current_Slot = Current;
        Form_Resize(M);
        mnuShow_Click(M);
        T.Log.Clear();
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> Out;
        for (int16_t I = M.List.Head; I != Nil_Slot; I = M.List.Nodes[size_t(I)].Next)
            Out.push_back(M.List.Nodes[size_t(I)].Data.Text);
        return Out;
    }
    static const Pixel_Surface& Sprite(const std::unique_ptr<Surface>& S) {
        return static_cast<const Pixel_Surface&>(*S);
    }
};
