#pragma once
#include "platform/Surface.h"

#include <array>
#include <optional>
#include <string_view>

// The four 16x16 button pictures as pixel art, one character per pixel: '.' transparent,
// 'K' black, 'W' white, 'G' grey, 'Y' yellow. Both the real surface and the test surface draw
// from these rows, so tests see the pixels the user sees.
using Picture_Rows = std::array<std::string_view, 16>;

inline constexpr Picture_Rows Arrow_Up_Art = {
    "................", "................", "....K...........", "....KK..........",
    "....K.K.........", "....K..K........", "....K...K.......", "....K....K......",
    "....K.....K.....", "....K....K......", "....K...K.......", "....K..K........",
    "....K.K.........", "....KK..........", "....K...........", "................",
};

inline constexpr Picture_Rows Arrow_Down_Art = {
    "................", "................", "....K...........", "....KK..........",
    "....KWK.........", "....KWWK........", "....KWWWK.......", "....KWWWWK......",
    "....KWWWWWK.....", "....KWWWWK......", "....KWWWK.......", "....KWWK........",
    "....KWK.........", "....KK..........", "....K...........", "................",
};

// Open: the shackle is swung aside, its left leg hanging free above the body.
inline constexpr Picture_Rows Lock_Up_Art = {
    "........KKKK....", ".......KGGGGK...", ".......KG..GK...", ".......KK..GK...",
    "...........GK...", "...........GK...", "...KKKKKKKKKK...", "...KYYYYYYYYK...",
    "...KYYYYYYYYK...", "...KYYYKKYYYK...", "...KYYYKKYYYK...", "...KYYYYYYYYK...",
    "...KYYYYYYYYK...", "...KKKKKKKKKK...", "................", "................",
};

inline constexpr Picture_Rows Lock_Down_Art = {
    "................", "......KKKK......", ".....KGGGGK.....", ".....KG..GK.....",
    ".....KG..GK.....", ".....KG..GK.....", "...KKKKKKKKKK...", "...KYYYYYYYYK...",
    "...KYYYYYYYYK...", "...KYYYKKYYYK...", "...KYYYKKYYYK...", "...KYYYYYYYYK...",
    "...KYYYYYYYYK...", "...KKKKKKKKKK...", "................", "................",
};

inline constexpr const Picture_Rows& Picture_Art(Picture_Id Pic) {
    switch (Pic) {
    case Picture_Id::Arrow_Up:
        return Arrow_Up_Art;
    case Picture_Id::Arrow_Down:
        return Arrow_Down_Art;
    case Picture_Id::Lock_Up:
        return Lock_Up_Art;
    case Picture_Id::Lock_Down:
        return Lock_Down_Art;
    }
    return Arrow_Up_Art;
}

// Empty for a transparent pixel.
inline constexpr std::optional<Color> Picture_Pixel(char Ch) {
    switch (Ch) {
    case 'K':
        return Rgb(0, 0, 0);
    case 'W':
        return Rgb(255, 255, 255);
    case 'G':
        return Rgb(128, 128, 128);
    case 'Y':
        return Rgb(255, 255, 0);
    default:
        return std::nullopt;
    }
}
