#pragma once
#include "commands/Dialog_Commands.h"
#include "mainwindow/Capture_Events.h"
#include "mainwindow/Drawing.h"
#include "mainwindow/Startup.h"
#include "tests/doubles/Test_Platform.h"

#include <string>
#include <vector>

using Texts_t = std::vector<std::string>;

// A started main window with the commands attached and capture wired; "*" before a slot's
// text locks it.
struct Rig {
    Test_Platform T;
    Main M{T.Context};
    Dialog_Commands Cmd{M};

    explicit Rig(const Texts_t& Slots, int16_t Current = 0) {
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

    Texts_t Texts() const {
        Texts_t Out;
        for (int16_t I = M.List.Head; I != Nil_Slot; I = M.List.Nodes[I].Next) {
            const Slot_Record& D = M.List.Nodes[I].Data;
            Out.push_back((D.Locked ? "*" : "") + static_cast<const std::string&>(D.Text));
        }
        return Out;
    }
};
