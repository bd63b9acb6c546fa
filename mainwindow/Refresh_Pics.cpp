#include "mainwindow/Capture_Events.h"
#include "mainwindow/Drawing.h"
#include "mainwindow/Visible_Text.h"

namespace {

constexpr int Row_Pitch = 24;
constexpr int Sprite_Size = 23;
constexpr int Text_Top = 2, Text_Bottom = 20;

} // namespace

void Refresh_Pics(Main& M) {
    Surface& B = M.P.Window.Back_Buffer();
    const int Left = M.TextNorm_Left + 3;
    const int Right = M.TextNorm_Left + M.TextNorm->Width() - 3;
    const int Client_Height = M.P.Window.Client_Height();
    const int Line_Height = B.Text_Line_Height();
    const LinkList& L = M.List;

    int16_t Cur = L.Head;
    for (int Y = 0, R = 0; Y <= Row_Pitch * L.List_Ubound && R < Max_Slots; Y += Row_Pitch, ++R) {
        // A link outside the nodes (a damaged file) ends the chain instead of the program.
        if (!Is_Node_Index(Cur)) Cur = Nil_Slot;
        M.Row_Slot[static_cast<size_t>(R)] = Cur;
        const Slot_Record* Rec =
            Cur == Nil_Slot ? nullptr : &L.Nodes[static_cast<size_t>(Cur)].Data;
        const bool Selected = Rec && Cur == M.Util.Current_Slot;

        B.Blit(Selected ? *M.pArrowDown : *M.pArrowUp, 0, Y, Sprite_Size, Sprite_Size);
        const Surface& Panel = Selected ? *M.TextHigh : *M.TextNorm;
        B.Blit(Panel, M.TextNorm_Left, Y, Panel.Width(), Sprite_Size);
        B.Blit(Rec && Rec->Locked ? *M.pLockDown : *M.pLockUp, 24, Y, Sprite_Size, Sprite_Size);
        if (Rec && Y <= Client_Height) {
            const Color Ink =
                M.P.Colors.Sys_Color(Selected ? COLOR_HIGHLIGHTTEXT_ : COLOR_WINDOWTEXT_);
            const Rect Box{Left, Y + Text_Top, Right, Y + Text_Bottom};
            // A slot may hold megabytes; only what can show goes to the text draw.
            B.Draw_Text(Visible_Text(Rec->Text, Box.Width(), Box.Height(), Line_Height), Box, Ink);
        }
        if (Rec) Cur = L.Nodes[static_cast<size_t>(Cur)].Next;
    }
    M.P.Window.Present();
    Note_Change(M);
}
