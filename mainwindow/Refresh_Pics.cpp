#include "mainwindow/Drawing.h"
#include "mainwindow/Row_Geometry.h"
#include "mainwindow/Visible_Text.h"
#include "platform/Platform_Context.h"

// Draws every row into the back buffer, rewrites Row_Slot and presents the result. Only paints:
// a redraw is no change of the data.
void Refresh_Pics(Main& M) {
    Surface& B = M.P.Window.Back_Buffer();
    const List_View& V = M.View;
    const List_Metrics& G = V.Metrics;
    const int Left = G.Text_Left + G.Margin_X;
    const int Right = G.Text_Left + V.TextNorm->Width() - G.Margin_X;
    const int Client_Height = M.P.Window.Client_Height();
    const int Line_Height = B.Text_Line_Height();
    const LinkList& L = M.Store.List();

    int16_t Cur = L.Head;
    for (int Y = 0, R = 0; Y <= G.Pitch * L.List_Ubound && R < Max_Slots; Y += G.Pitch, ++R) {
        // A link outside the nodes (a damaged file) ends the chain instead of the program.
        if (!Is_Node_Index(Cur)) Cur = Nil_Slot;
        M.View.Row_Slot[static_cast<size_t>(R)] = Cur;
        const Slot_Record* Rec =
            Cur == Nil_Slot ? nullptr : &L.Nodes[static_cast<size_t>(Cur)].Data;
        const bool Selected = Rec && Cur == M.Store.Current();

        B.Blit(Selected ? *V.pArrowDown : *V.pArrowUp, 0, Y, G.Height, G.Height);
        const Surface& Panel = Selected ? *V.TextHigh : *V.TextNorm;
        B.Blit(Panel, G.Text_Left, Y, Panel.Width(), G.Height);
        B.Blit(Rec && Rec->Locked ? *V.pLockDown : *V.pLockUp, G.Lock_Left, Y, G.Height, G.Height);
        if (Rec && Y <= Client_Height) {
            const Color Ink = M.P.Colors.Sys_Color(Selected ? System_Color::Highlight_Text
                                                            : System_Color::Window_Text);
            const Rect Box{Left, Y + G.Text_Top, Right, Y + G.Text_Bottom};
            // A slot may hold megabytes; only what can show goes to the text draw.
            B.Draw_Text(Visible_Text(Rec->Text, Box.Width(), Box.Height(), Line_Height), Box, Ink);
        }
        if (Rec) Cur = L.Nodes[static_cast<size_t>(Cur)].Next;
    }
    M.P.Window.Present();
}
