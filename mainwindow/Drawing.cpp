#include "mainwindow/Drawing.h"

#include "platform/Platform_Context.h"

void ResizeStuff(Main& M) {
    M.View.Make_Pictures();
}

void Load_Pictures(Main& M) {
    M.View.Draw_Pictures();
}

void Refresh_Pics(Main& M) {
    M.View.Paint(M.Store.List(), M.Store.Current());
}

void Form_Resize(Main& M) {
    M.View.Fit(M.Store.List(), M.Store.Current());
}

void Sys_SysColorsChanged(Main& M) {
    M.P.Window.Clear_Back_Buffer();
    M.P.Window.Present();
    Load_Pictures(M);
    Refresh_Pics(M);
}

void Measure_Border_Height(Main& M) {
    M.View.Measure_Border();
}

void Dpi_Changed(Main& M) {
    M.View.Change_Dpi(M.Store.List(), M.Store.Current());
}
