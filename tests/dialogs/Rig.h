#pragma once
#include "dialogs/Dialog_Commands.h"
#include "mainwindow/Capture_Events.h"
#include "mainwindow/Drawing.h"
#include "mainwindow/Startup.h"
#include "tests/doubles/Test_Platform.h"

#include <string>
#include <vector>

// A started main window with the commands attached, holding the slots a test lists ("*" before
// a text marks it locked), and the clipboard watcher wired to capture.
struct Rig {
    Test_Platform T;
    Main M{T.Context};
    Dialog_Commands Cmd{M};

    explicit Rig(const std::vector<std::string>& Slots, int16_t Current = 0) {
        M.Commands = &Cmd;
        T.Window.On_Resize = [this] { Form_Resize(M); };
        Form_Load(M);
        T.Clip_Board.On_Change = [this] { Clip_NewClipboardElement(M); };
        List_Init(M.List);
        for (const auto& S : Slots) {
            const bool Locked = !S.empty() && S[0] == '*';
            int16_t Idx = 0;
            List_Insert(M.List, Slot_Record{Locked, Locked ? S.substr(1) : S, ""}, Pos_Bottom, Idx);
        }
        M.Util.Current_Slot = Current;
        Form_Resize(M);
        T.Log.Clear();
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> Out;
        for (int16_t I = M.List.Head; I != Nil_Slot; I = M.List.Nodes[I].Next) {
            Out.push_back(M.List.Nodes[I].Data.Locked ? "*" : "");
            Out.back() += M.List.Nodes[I].Data.Text;
        }
        return Out;
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> Out;
        for (const auto& L : T.Box.Log.Lines)
            Out.push_back(L);
        return Out;
    }
};

using Texts_t = std::vector<std::string>;
