// Figures of the user interface on Qt's offscreen platform (unless another
// is set): the board redraw that runs on pointer moves, and start-up.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

#include <chrono>
#include <cstdio>

#include "board/Board.h"
#include "storage/Settings.h"
#include "tests/support/BoardBuilder.h"
#include "ui/BoardDrawing.h"
#include "ui/BoardImages.h"
#include "ui/CellEditor.h"
#include "ui/Fonts.h"
#include "ui/MainWindow.h"
#include "ui/Resources.h"

namespace {

using Clock = std::chrono::steady_clock;

// Waits until the main window has been exposed, at most a second.
void AwaitMainWindowShown() {
  const auto deadline = Clock::now() + std::chrono::seconds(1);
  while (Clock::now() < deadline)
    if (PollEvent() == kEventOther && EventWindow() == kMainWindow) return;
}

// Everything the program does from its fonts to its main window on screen,
// less making the window system itself (measured once in main).
void BM_StartUpToShownWindow(benchmark::State& state) {
  for (auto _ : state) {
    ClearBoard(gMainBoard);
    LoadProgramFonts();
    PrepareImages();
    OpenCellEditor(gCellEditorX, gCellEditorY);
    OpenMainWindow();
    DrawBoard(0, 0);
    AwaitMainWindowShown();
    state.PauseTiming();
    CloseWindow(kMainWindow);
    CloseWindow(kCellEditorWindow);
    while (PollEvent() != kEventNone) {
    }
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond);

// A full board: every cell filled (large digits), or every cell holding all
// nine candidates (three small lines each).
void DrawFullBoard(benchmark::State& state, bool candidates) {
  LoadProgramFonts();
  PrepareImages();
  OpenMainWindow();
  LoadGrid(SolvedGrid(), true);
  if (candidates)
    for (int col = 1; col <= 9; ++col)
      for (int row = 1; row <= 9; ++row) SetCandidates(col, row, "123456789");
  int square = 0;
  for (auto _ : state) {
    DrawBoard(33 * (1 + square % 9), 33 * (1 + square / 9 % 9));  // the crosshair moves, as with the pointer
    ++square;
  }
  CloseWindow(kMainWindow);
}
void BM_DrawBoardDigits(benchmark::State& state) { DrawFullBoard(state, false); }
void BM_DrawBoardCandidates(benchmark::State& state) { DrawFullBoard(state, true); }
BENCHMARK(BM_DrawBoardDigits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawBoardCandidates)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  const auto start = Clock::now();
  StartWindowSystem(argc, argv);
  std::printf("Starting the window system: %.2f ms\n",
              std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  EndWindowSystem();
  return 0;
}
