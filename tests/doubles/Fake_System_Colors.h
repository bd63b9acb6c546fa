#pragma once
#include "platform/Surface.h"

#include <map>

// System colours by index. Every colour the program uses differs from every other, and from
// the picture colours, so a pixel test can tell which one landed where. Leaves out the
// brushes and the indices the program never asks for (they read as magenta).
struct Fake_System_Colors : System_Colors {
    std::map<int, Color> Colors{
        {COLOR_WINDOW_, Rgb(250, 250, 250)},       {COLOR_WINDOWTEXT_, Rgb(10, 10, 10)},
        {COLOR_HIGHLIGHT_, Rgb(0, 0, 128)},        {COLOR_HIGHLIGHTTEXT_, Rgb(252, 252, 252)},
        {COLOR_BTNFACE_, Rgb(192, 192, 192)},      {COLOR_BTNSHADOW_, Rgb(129, 129, 129)},
        {COLOR_BTNHIGHLIGHT_, Rgb(254, 254, 254)}, {COLOR_3DDKSHADOW_, Rgb(1, 1, 1)},
        {COLOR_3DLIGHT_, Rgb(223, 223, 223)},
    };

    Color Sys_Color(int Index) const override {
        const auto C = Colors.find(Index);
        return C == Colors.end() ? Rgb(255, 0, 255) : C->second;
    }
};
