// A full redraw of 71 rows must not cost more when the slots hold megabytes of text.
#include "mainwindow/Drawing.h"
#include "mainwindow/Startup.h"
#include "tests/doubles/Test_Platform.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

enum Shape { Short_Text, Megabyte_Of_Lines, Megabyte_One_Line };

std::string Text_Of(Shape S) {
    if (S == Short_Text) return "0123456789";
    if (S == Megabyte_One_Line) return std::string(1 << 20, 'w');
    std::string Line = std::string(78, 'w') + "\r\n";
    std::string T;
    T.reserve(1 << 20);
    while (T.size() + Line.size() <= (1u << 20))
        T += Line;
    return T;
}

struct Full_List {
    Test_Platform T;
    Main M{T.Context};

    explicit Full_List(Shape S) {
        T.Window.On_Resize = [this] { Form_Resize(M); };
        Form_Load(M);
        List_Init(M.List);
        const std::string Text = Text_Of(S);
        for (int I = 0; I < Max_Slots; ++I) {
            int16_t Idx = 0;
            List_Insert(M.List, Slot_Record{I % 3 == 0, Text, "tip"}, Pos_Bottom, Idx);
        }
        M.Util.Current_Slot = 5;
        T.Window.Buffer.Record_Text = false;
        Form_Resize(M);
    }
};

void Refresh_71_Rows(benchmark::State& State) {
    Full_List L(static_cast<Shape>(State.range(0)));
    for (auto _ : State) {
        Refresh_Pics(L.M);
        benchmark::DoNotOptimize(L.T.Window.Buffer.At(60, 30));
    }
}
BENCHMARK(Refresh_71_Rows)
    ->Arg(Short_Text)
    ->Arg(Megabyte_Of_Lines)
    ->Arg(Megabyte_One_Line)
    ->ArgName("shape")
    ->Unit(benchmark::kMicrosecond);

// What handing every row its whole text would cost, for comparison.
void Whole_Text_71_Rows(benchmark::State& State) {
    Full_List L(static_cast<Shape>(State.range(0)));
    Surface& B = L.T.Window.Back_Buffer();
    const std::string& Text = L.M.List.Nodes[0].Data.Text;
    for (auto _ : State)
        for (int Y = 0; Y < 71 * 24; Y += 24)
            B.Draw_Text(Text, {51, Y + 2, 229, Y + 20}, 0);
}
BENCHMARK(Whole_Text_71_Rows)
    ->Arg(Short_Text)
    ->Arg(Megabyte_Of_Lines)
    ->ArgName("shape")
    ->Unit(benchmark::kMicrosecond);

} // namespace
