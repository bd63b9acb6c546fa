#pragma once
#include <cstddef>
#include <string_view>

// What a balloon shows of its text, in UTF-16 units; the rest is cut.
inline constexpr size_t Max_Balloon_Units = 255;

// The notification-area icon (id 1) with the program's icon. Its mouse events come back to the
// main window as tray messages carrying the mouse message number.
struct Tray_Icon {
    virtual ~Tray_Icon() = default;
    virtual bool Add(std::string_view Tip) = 0;
    virtual void Remove() = 0;
    // A balloon on the icon; for failures the user must hear of without a modal box.
    virtual void Balloon(std::string_view Title, std::string_view Text) = 0;
};
