#include "win32/Win32_Dialogs.h"

#include "win32/dialogs/About_Window.h"
#include "win32/dialogs/Edit_Sel_Window.h"
#include "win32/dialogs/Options_Window.h"

std::unique_ptr<Edit_Sel_View> Win32_Dialog_Factory::Create_Edit_Sel() {
    return std::make_unique<Edit_Sel_Window>(Instance_, Owner_);
}

std::unique_ptr<Options_View> Win32_Dialog_Factory::Create_Options() {
    return std::make_unique<Options_Window>(Instance_, Owner_);
}

std::unique_ptr<About_View> Win32_Dialog_Factory::Create_About() {
    return std::make_unique<About_Window>(Instance_, Owner_);
}
