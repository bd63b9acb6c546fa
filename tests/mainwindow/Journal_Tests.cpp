// What the next start loads (the data file and its journal) is what the user saw.
#include "storage/Journal.h"
#include "tests/doubles/Test_Platform.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Random changes of every kind; large texts make the journal fold into the data file at times.
TEST(Journal, AfterEveryChangeTheFilesLoadToTheListInMemory) {
    Rig R("*A|!B|C|");
    std::mt19937 Random(7);
    const auto Pick = [&](int N) { return static_cast<int>(Random() % static_cast<unsigned>(N)); };
    int Folds = 0;
    for (int Step = 0; Step < 300; ++Step) {
        const int Rows = R.M.Store.List.List_Ubound + 1, Kind = Pick(9);
        const std::pair<Key, int> Keys[] = {
            {Key::N, Ctrl_Mask}, {Key::X, Ctrl_Mask}, {Key::Delete, 0}, {Key::C, Ctrl_Mask}};
        if (Kind < 4) {
            R.Press(Keys[Kind].first, Keys[Kind].second);
        } else if (Kind < 6) {
            R.Click(Pick(Rows), Kind == 4 ? 60 : 30); // the text or the lock
        } else if (Kind == 6) {
            Run_Menu_Command(R.M, Menu_Item::mnuTop);
        } else if (Kind == 7) {
            Tip_MouseDown(R.M, Button_Left, Shift_Mask, 0, 0);
            Tip_MouseMove(R.M, Button_Left, Shift_Mask, 0, Pick(Rows * 24) * 15.0);
            Tip_MouseUp(R.M, Button_Left, 0, 0, 0);
        } else { // first lines repeat: a text may change under the same description
            R.Copy("copy " + std::to_string(Pick(3)) + "\r\n" + std::to_string(Step) +
                   std::string(size_t(Pick(3)) * 9000, 'x'));
        }
        const auto Data_File = R.T.Files.Files[R.M.Data_File];
        R.T.Window.Advance(Save_Delay_Ms);
        Folds += R.T.Files.Files[R.M.Data_File] != Data_File;
        const Stored_Data Back = R.Saved();
        ASSERT_TRUE(Back.List == R.M.Store.List) << "step " << Step;
        ASSERT_EQ(Back.Util, R.M.Store.Util) << "step " << Step;
    }
    EXPECT_GT(Folds, 2);
    EXPECT_TRUE(R.T.Log.Lines.empty());
}

// Copies during a fold go to the journal; a crash at any step of it loads the list as it was.
TEST(Journal, ChangesDuringAFoldAreKeptAtEveryStepOfIt) {
    Rig R("*||");
    R.T.Worker.Automatic = false;
    const std::string Big(40000, 'b'); // data file small: the journal soon passes half of it
    int Step = 0;
    const auto Copy_And_Save = [&] {
        R.Copy("copy " + std::to_string(++Step) + Big);
        R.T.Window.Advance(Save_Delay_Ms);
        const Stored_Data Back = R.Saved(); // what a crash now leaves
        EXPECT_TRUE(Back.List == R.M.Store.List) << Step;
    };
    while (!R.T.Worker.Busy() && Step < 10)
        Copy_And_Save();
    ASSERT_TRUE(R.T.Worker.Busy()) << "the journal grew past half the data file";
    Copy_And_Save();  // the fold has not run yet
    R.T.Worker.Run(); // the data file is replaced; the window has not heard of it yet
    EXPECT_TRUE(R.Saved().List == R.M.Store.List);
    Copy_And_Save();      // appended after the records the fold holds
    R.T.Worker.Deliver(); // the journal keeps them: records came after the fold's copy
    EXPECT_TRUE(R.Saved().List == R.M.Store.List);
    Copy_And_Save();
    Run_Menu_Command(R.M, Menu_Item::mnuExit);
    EXPECT_FALSE(R.T.Files.File_Exists(R.M.Data_File + ".journal")) << "exit writes it whole";
    EXPECT_TRUE(R.Saved().List == R.M.Store.List);
}

} // namespace
