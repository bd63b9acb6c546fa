#include "mainwindow/Main_Data.h"

namespace {

// The parts of the window and its menu the data file reads and sets.
class Window_View final : public Data_Window {
  public:
    Window_View(Main_Window& W, Popup_Menu& Menu) : W_(W), Menu_(Menu) {}

    int WindowState() const override { return W_.Window_State(); }
    double Left() const override { return W_.Left(); }
    double Top() const override { return W_.Top(); }
    double Width() const override { return W_.Width(); }
    double Height() const override { return W_.Height(); }
    void Set_Left(double T) override { W_.Set_Left(T); }
    void Set_Top(double T) override { W_.Set_Top(T); }
    void Set_Width(double T) override { W_.Set_Width(T); }
    void Set_Height(double T) override { W_.Set_Height(T); }
    double Screen_Width() const override { return W_.Screen_Width(); }
    double Screen_Height() const override { return W_.Screen_Height(); }
    bool Top_Checked() const override { return Menu_.Is_Checked(Menu_Item::mnuTop); }
    void Set_Top_Checked(bool C) override { Menu_.Set_Checked(Menu_Item::mnuTop, C); }

  private:
    Main_Window& W_;
    Popup_Menu& Menu_;
};

Data_Store Store_Of(const Main& M) {
    return Data_Store{M.P.Files, M.P.Text, M.P.Process.Folder(), M.P.Process.Title()};
}

} // namespace

void Main_Load_Data(Main& M) {
    Window_View View(M.P.Window, M.P.Menu);
    Load_Data(M.Util, M.List, View, Store_Of(M));
}

std::string Main_Save_Data(Main& M) {
    const uint64_t Saving = M.Change_Count;
    Window_View View(M.P.Window, M.P.Menu);
    std::string Error;
    try {
        Error = Save_Data(M.Util, M.List, View, Store_Of(M));
    } catch (const std::exception& E) {
        Error = E.what();
    } catch (...) {
        Error = "unknown failure";
    }
    if (Error.empty()) M.Saved_Count = Saving;
    return Error;
}

std::string Main_Data_File(const Main& M) {
    if (!M.Util.Data_File.empty()) return M.Util.Data_File;
    return Data_File_Path(M.P.Process.Folder(), M.P.Process.Title());
}
