// Figures of the user interface on Qt's offscreen platform (unless another
// is set): the board redraw that runs on pointer moves, start-up, and the
// help commands on the rated puzzles.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "board/Board.h"
#include "storage/Settings.h"
#include "storage/TextPuzzle.h"
#include "tests/support/BoardBuilder.h"
#include "ui/BoardDrawing.h"
#include "ui/BoardImages.h"
#include "ui/CellEditor.h"
#include "ui/Fonts.h"
#include "ui/Hint.h"
#include "ui/MainWindow.h"
#include "ui/PuzzleHelp.h"
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

// The hint's three presses, the candidates and the check against the
// solution on every puzzle of bench/rated-diabolical.txt, as the keys run
// them (status line included): the median and the slowest of each.
void BM_HelpCommandsOnRatedPuzzles(benchmark::State& state) {
  std::vector<std::string> puzzles;
  std::ifstream file(std::string(BENCH_FOLDER) + "/rated-diabolical.txt");
  for (std::string line; std::getline(file, line);)
    if (line.size() >= 81) puzzles.push_back(line.substr(0, 81));
  LoadProgramFonts();
  PrepareImages();
  OpenCellEditor(gCellEditorX, gCellEditorY);
  OpenMainWindow();
  std::array<std::vector<double>, 5> times;  // three presses, candidates, check
  auto timed = [](auto command) {
    const auto start = Clock::now();
    command();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  };
  for (auto _ : state)
    for (const std::string& puzzle : puzzles) {
      LoadTextPuzzle(puzzle);
      for (std::size_t press = 0; press < 3; ++press) times[press].push_back(timed([] { GiveHint(); }));
      times[3].push_back(timed(FillCandidates));
      times[4].push_back(timed(CheckAgainstSolution));
    }
  const char* names[] = {"hint1", "hint2", "hint3", "candidates", "check"};
  for (std::size_t i = 0; i < times.size(); ++i) {
    std::sort(times[i].begin(), times[i].end());
    state.counters[std::string(names[i]) + "_median_ms"] = times[i][times[i].size() / 2];
    state.counters[std::string(names[i]) + "_slowest_ms"] = times[i].back();
  }
  CloseWindow(kMainWindow);
  CloseWindow(kCellEditorWindow);
}
BENCHMARK(BM_HelpCommandsOnRatedPuzzles)->Iterations(1)->Unit(benchmark::kMillisecond);

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
