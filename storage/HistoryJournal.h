#pragma once
// The undo history's steps on the disk as they are made: "history.journal"
// beside the history file, which it continues. The history file (the base)
// is written whole only at exit and when the journal is compacted; between
// those, every change, undo and redo of the main board is appended to the
// journal within the pass that made it, so a program that is killed loses
// nothing it had written. The next start reads the base, then replays the
// journal's records on it.
//
// All numbers little-endian, every field a 32-bit word unless said:
//
//   offset  size  contents
//   0       8     "TolvaJnl" (ASCII)
//   8       4     version: 1
//   12      8     the checksum that ends the base (HistoryBytesChecksum)
//   20      ...   records, each:
//                   4   kind: 1 a change (a new step), 2 an undo, 3 a redo
//                   4   length L of the change lists, at most 2 x 4404
//                   L   change lists as in the history file: the main board
//                       before the command against the journal's board (no
//                       cells when they are the same), then for a change the
//                       board after it against that one (one cell or more)
//                   8   HistoryChecksum of the 8 bytes of the checksum before
//                       (the base's, for the first record) and this record's
//                       bytes up to here
//
// A journal whose header does not name the base it is read with is passed
// over whole; replaying stops at the first record that is torn (a program
// killed while writing it), damaged or does not apply, keeping every record
// before it. A journal or base of a later version (a newer program's) is
// never written: this program then keeps its history in memory only and
// leaves both files as they are. A record that would take the journal past kJournalMaxSize is not
// written: the history is compacted instead (a new base holding everything,
// and an empty journal naming it), so the two files together stay within
// kHistoryFileMaxSize + kJournalMaxSize.
//
// Two copies of the program: each writes only to a journal file it made
// itself, and the last one to write a step owns the files. A copy that finds
// the base or the journal replaced by another one's compacts before its next
// record, so steps of two copies never meet in one file.
//
// A power loss: a syncer thread forces every record to the disk
// (fdatasync) as soon as it is written, and the folder after a new journal
// is put in place, so what a power loss can take is the records of the last
// sync's time, a few milliseconds on a disk that is idle.
//
// Files that cannot be written (a full disk, a state folder made
// read-only, the process's file-size limit): the journal is left with the
// records written whole, the session goes on in memory, and the person is
// told once ("Verlauf wird nicht mehr gespeichert"). The next step tries a
// compaction, which brings everything since back onto the disk as soon as
// writing works again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "board/Board.h"
#include "board/History.h"

constexpr std::size_t kJournalHeaderSize = 20;
constexpr std::size_t kJournalRecordMaxSize = 4 + 4 + 2 * (4 + 100 * 44) + 8;
constexpr std::size_t kJournalMaxSize = 1 << 20;

// HistoryFilePath() with ".journal" added; "" when unknown.
std::string JournalFilePath();

// A journal's first bytes, naming the base whose checksum is base.
std::string JournalHeader(std::uint64_t base);

// Applies the journal's records that continue the base with checksum base to
// the history and to board, the main board the base ended with. Returns the
// number of records applied, -1 when the header does not name that base
// (nothing changes). Linear in the length, whatever the bytes.
int ReplayJournalBytes(std::string_view bytes, std::uint64_t base, Board& board);

// At start-up: reads the history file, refusing one larger than
// kHistoryFileMaxSize by its size before reading anything, and loads it as
// LoadHistoryBytes does; then replays its journal, the steps made after it
// was written. Remembers what it found for StartJournal. False when no base
// was loaded.
bool LoadHistory(Board& atExit);

// Begins recording, after LoadHistory; board is the main board the history
// continues from. Without a base, or when the journal held records, the
// history is compacted first; otherwise a new empty journal names the base.
// Removes the stale temporary files of the state folder. Nothing is recorded
// when the state folder is unknown, or beside a newer program's files.
void StartJournal(const Board& board);

// Writes the whole history with board as the main board as a new base,
// followed by a new empty journal when one is being recorded; false when the
// base could not be written.
bool CompactHistory(const Board& board);

// Ends recording; with removeFile, the journal file goes too when it is
// this program's own. Waits for the syncer's last sync.
void StopJournal(bool removeFile);

// At exit: writes the history with the main board as its base, whole or not
// at all, and ends the journal, which goes once the base holds all it held.
// Silent; beside a newer program's files nothing is written.
void SaveHistory();

// True while every step goes to the disk as it is made.
bool JournalKeepsSteps();

// The history's watcher (board/History.h), which the main routine installs:
// appends a record of the step to the journal, when one is kept.
void JournalStep(HistoryStep step, const Board& before);

// What the person must be told of the journal, once, or null (the main loop
// asks at every pass): that the steps are no longer kept, or that the files
// are a newer program's. Taking it clears it.
const char* TakeJournalNotice();
