#pragma once
#include <string_view>

// The notification-area icon (id 1) with the program's icon. Its mouse events come back to the
// main window as tray messages carrying the mouse message number.
struct Tray_Icon {
    virtual ~Tray_Icon() = default;
    // Paused: the icon of paused capture instead of the program's.
    virtual bool Add(std::string_view Tip, bool Paused) = 0;
    // Another tip and icon for the icon already added.
    virtual void Modify(std::string_view Tip, bool Paused) = 0;
    virtual void Remove() = 0;
    // A balloon on the icon; for failures the user must hear of without a modal box. False
    // when it cannot show the whole text: no icon (Explorer not up yet), or a text longer
    // than a balloon holds.
    virtual bool Balloon(std::string_view Title, std::string_view Text) = 0;
};
