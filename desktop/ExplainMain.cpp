// tolva-sudoku-explain: puzzles explained step by step, in German.
//
//   tolva-sudoku-explain [--summary] [FILE...]
//
// Reads puzzles from the files, or standard input when none is given (also
// for "-"): every puzzle of the input, each in any text form the program
// opens (a line, a grid, a boxed grid, a text ".sdk"; a line may carry a
// rating or a name after its cells), or a board dump. For each it prints the solution count, the
// steps a person can see as numbered sentences, and the rating; with
// --summary one line of seven fields instead. Exits 0 when every puzzle was
// read, 1 when some line or file was not (each said on standard error, the
// others still done), 2 for wrong arguments.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "explain/Explanation.h"
#include "explain/StepText.h"
#include "storage/PuzzleFile.h"
#include "storage/TextPuzzle.h"

namespace {

constexpr std::string_view kProgram = "tolva-sudoku-explain";

// Windows-1252 text as UTF-8 for the terminal; the program's sentences use
// only the Latin-1 letters of German.
std::string Utf8(std::string_view text) {
  static constexpr char16_t kHighControls[32] = {
      0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
  std::string utf8;
  for (char byte : text) {
    const auto c = static_cast<unsigned char>(byte);
    const unsigned code = c >= 0x80 && c < 0xA0 ? kHighControls[c - 0x80] : c;
    if (code < 0x80) {
      utf8 += static_cast<char>(code);
    } else if (code < 0x800) {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (code >> 12));
      utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return utf8;
}

std::string Line81(const Position& position) {
  std::string line;
  for (int cell = 0; cell < kCells; ++cell)
    line += position.IsOpen(cell) ? '.' : static_cast<char>('0' + position.Value(cell));
  return line;
}

std::string SolutionsSentence(int solutions) {
  if (solutions == 0) return "Das R\xE4tsel hat keine L\xF6sung.";
  if (solutions == 1) return "Das R\xE4tsel hat genau eine L\xF6sung.";
  return "Das R\xE4tsel hat mehr als eine L\xF6sung.";
}

void Explain(const Digits& givens, bool summary) {
  const Position start = PositionOfDigits(givens);
  const auto began = std::chrono::steady_clock::now();
  const ExplainedSolve solve = ExplainSolve(start);
  const auto micros =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - began).count();
  if (summary) {
    std::printf("%s %s %d %d %zu %s %lld\n", Line81(start).c_str(), Line81(solve.reached).c_str(), solve.solutions,
                solve.solved ? 1 : 0, solve.steps.size(), RatingNumber(solve.rating, '.').c_str(),
                static_cast<long long>(micros));
    return;
  }
  std::string text = "R\xE4tsel " + Line81(start) + "\n" + SolutionsSentence(solve.solutions) + "\n";
  int number = 0;
  const Step* hardest = nullptr;
  for (const Step& step : solve.steps) {
    text += std::to_string(++number) + ". " + StepFullText(step) + "\n";
    if (!hardest || step.rating > hardest->rating) hardest = &step;
  }
  if (solve.solved)
    text += "Gel\xF6st.\n";
  else if (solve.solutions > 0)
    text += "Keine weitere Technik greift: " + std::to_string(kCells - solve.reached.OpenCount()) +
            " von 81 Feldern gef\xFCllt.\n";
  if (hardest) text += RatingText(*hardest) + "\n";
  std::fputs((Utf8(text) + "\n").c_str(), stdout);
}

bool IsDump(std::string_view bytes) {
  return bytes.size() == static_cast<std::size_t>(kPuzzleFileSize) || bytes.find('\0') != std::string_view::npos;
}

Digits DigitsOf(const PuzzleDigits& puzzle) {
  Digits digits{};
  for (int cell = 0; cell < kCells; ++cell) Item(digits, cell) = static_cast<std::uint8_t>(Item(puzzle, cell));
  return digits;
}

// Explains every puzzle of one input; false when some part was no puzzle,
// each such stretch of lines told on standard error.
bool ExplainInput(std::string_view name, std::string_view bytes, bool summary) {
  if (IsDump(bytes)) {
    LoadPuzzleBytes(bytes);
    Explain(GivensOfMainBoard(), summary);
    return true;
  }
  std::size_t badFrom = 0, badTo = 0;  // lines not yet told, from 1; none when 0
  const auto tellBadLines = [&] {
    if (badFrom == 0) return;
    const std::string where = badTo == badFrom ? "Zeile " + std::to_string(badFrom)
                                               : "Zeilen " + std::to_string(badFrom) + " bis " + std::to_string(badTo);
    std::fprintf(stderr, "%s: %s, %s: kein R\xC3\xA4tsel erkannt\n", kProgram.data(), std::string(name).c_str(),
                 where.c_str());
    badFrom = 0;
  };
  bool allRead = true;
  ForEachTextPuzzle(bytes, [&](const TextPuzzleEntry& entry) {
    if (!entry.read) {
      allRead = false;
      if (badFrom == 0 || entry.line > badTo + 1) {
        tellBadLines();
        badFrom = entry.line;
      }
      badTo = entry.lastLine;
      return;
    }
    tellBadLines();
    Explain(DigitsOf(entry.digits), summary);
    std::fflush(stdout);
  });
  tellBadLines();
  return allRead;
}

int Usage() {
  std::fprintf(stderr, "Aufruf: %s [--summary] [DATEI...]\n", kProgram.data());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool summary = false;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--summary") summary = true;
    else if (argument == "--help" || argument == "-h") return Usage() - 2;
    else if (argument.size() > 1 && argument[0] == '-') return Usage();
    else files.emplace_back(argument);
  }
  if (files.empty()) files.emplace_back("-");
  bool allRead = true;
  for (const std::string& file : files) {
    std::string bytes;
    if (file == "-") {
      bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
      std::ifstream in(file, std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "%s: %s: nicht lesbar\n", kProgram.data(), file.c_str());
        allRead = false;
        continue;
      }
      bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    allRead = ExplainInput(file == "-" ? "Standardeingabe" : file, bytes, summary) && allRead;
  }
  return allRead ? 0 : 1;
}
