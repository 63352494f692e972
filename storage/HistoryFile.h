#pragma once
// The undo history kept across program runs: the file "history" in the
// program's state folder, written at exit and when its journal is compacted,
// and read at start-up (SaveHistory and LoadHistory, storage/HistoryJournal.h).
//
// The file holds the boards of the history in time order: the undo steps
// (oldest first), the main board as it was when the program ended, then the
// redo steps (the next redo first). The first board is stored whole; every
// further board as the cells in which it differs from the board before it.
// All numbers are little-endian; every field is a 32-bit word kept exactly.
//
//   offset  size  contents
//   0       8     "TolvaHis" (ASCII)
//   8       4     version: 1
//   12      4     undo steps U, 0 to 1000
//   16      4     redo steps R, 0 to 1000 - U
//   20      4000  the first board, laid out as in a ".sdk" file: field f of
//                 cell (col, row) at 20 + (10 col + row) x 40 + 4 f
//   4020    ...   U + R change lists, one for each further board:
//                   4       changed cells C, 0 to 100
//                   44 x C  the changed cells in ascending index, each:
//                             4   cell index 10 col + row, 0 to 99
//                             40  the cell's ten fields, which differ from
//                                 the cell in the board before
//   end-8   8     HistoryChecksum of every byte before it
//
// A file is whole and valid only when all of this holds and its length is
// exactly what the counts make it: 4028 bytes for a lone exit board, at most
// kHistoryFileMaxSize (1000 steps that change every cell). A history has
// exactly one valid file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "board/Board.h"

constexpr std::size_t kHistoryFileMinSize = 20 + 4000 + 8;
constexpr std::size_t kHistoryFileMaxSize = kHistoryFileMinSize + 1000 * (4 + 100 * 44);

// $XDG_STATE_HOME/tolva-sudoku/history when XDG_STATE_HOME is an absolute
// path, else $HOME/.local/state/tolva-sudoku/history when HOME is one; ""
// when neither is known.
std::string HistoryFilePath();

// The file's bytes: the undo and redo steps and `atExit`, the main board
// when the program ended.
std::string HistoryBytes(const Board& atExit);

// Replaces the history with the file's steps and sets atExit, when the bytes
// are a whole, valid history file; otherwise returns false and leaves the
// history and atExit as they were. Linear in the length, whatever the bytes.
bool LoadHistoryBytes(std::string_view bytes, Board& atExit);

// The history file's pieces, shared with its journal.
// A change list: the cells in which board differs from previous, as laid out
// above; ReadBoardChanges applies one at `at` to board and moves `at` past
// it, or returns false (board is then undefined).
void AppendBoardChanges(std::string& bytes, const Board& previous, const Board& board);
bool ReadBoardChanges(std::string_view bytes, std::size_t& at, Board& board);
// The missing folders of HistoryFilePath() made (mode 0700; never HOME
// itself); false when the path is unknown.
bool MakeHistoryFolders();
// Writes a history file's bytes to HistoryFilePath(), its folders made,
// only ever whole (ReplaceFileWhole): false, with the old file as it was,
// when that failed.
bool WriteHistoryFile(std::string_view bytes);
// True when bytes begin as a file of one kind (its magic, then a 4-byte
// version) of a later version than version: a newer program's, which this
// one neither reads nor replaces.
bool IsOfANewerVersion(std::string_view bytes, std::string_view magic, std::uint32_t version);
bool IsNewerHistoryFile(std::string_view bytes);
// The checksum that ends a history file's bytes, which names it.
std::uint64_t HistoryBytesChecksum(std::string_view bytes);

// The file's checksum of bytes: their 8-byte little-endian words (the last
// one filled up with zero bytes), each mixed into a 64-bit hash that starts
// from the byte count: h = (h ^ word) x 0xFF51AFD7ED558CCD, then h ^= h >> 32,
// from h = 0x9E3779B97F4A7C15 ^ count.
std::uint64_t HistoryChecksum(std::string_view bytes);
