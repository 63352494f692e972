#pragma once
// Whole-file reads and careful whole-file writes. Paths are the system's
// native bytes and are used unchanged.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// True when path names an existing regular file that can be opened for
// reading. Directories and other special files cannot.
bool CanOpenForReading(const std::string& path);

// Reads at most maxBytes of the regular file at path into bytes. Returns false,
// leaving bytes empty, when the file cannot be opened for reading.
bool ReadFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes);

// Reads the whole regular file at path into bytes when it holds at most
// maxBytes. Returns false, leaving bytes empty, when it cannot be opened for
// reading or is larger: a larger size is refused before a byte is read.
bool ReadFileOfAtMost(const std::string& path, std::size_t maxBytes, std::string& bytes);

// Reads the whole regular file at path into bytes, holding it once in memory.
// Returns false, leaving bytes empty, when the file cannot be opened for
// reading or its bytes cannot be held.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// True when ReplaceFileContents could write path: an existing file there
// (after following links) is a regular file this process may write, or a
// missing one can be created in its folder.
bool CanReplaceFile(const std::string& path);

// Makes path hold exactly bytes. A link, dangling or not, is followed to the
// file it names.
//
// Where it keeps what the file is (its owner, group, mode and its other
// names, when it has hard links), the bytes go completely into a new file
// beside the target, which then takes its place, so a failure at any point
// leaves the old file whole. Otherwise (another owner's file, a hard-linked
// file, a folder that takes no new files) the file is written in place.
// A new file gets the mode any program's new file gets: 0666 less the umask.
//
// A write beyond the process's file-size limit fails before anything is
// touched. Returns false when the file could not be written; no temporary
// file is left behind, and a write that failed once it had begun on the new
// file (a full disk, a failed rename) leaves the old file whole. Stale
// temporary files in the folder go first (RemoveStaleTemporaries).
bool ReplaceFileContents(const std::string& path, std::string_view bytes);

// As ReplaceFileContents, but only ever through a new file that takes the
// old one's place: where that cannot be (a folder that takes no new files, a
// hard-linked file, another owner's file), the file is left as it is and
// false returned.
bool ReplaceFileWhole(const std::string& path, std::string_view bytes);

// Puts a new file (mode 0600 less the umask) holding bytes at path, replacing
// what was there, and returns its descriptor, open for writing after its last
// byte; -1 when it cannot be made. Nothing is forced to the disk. path is
// taken as it is: links are not followed, the old file's identity not kept.
// The descriptor owns the file it names even after another program puts a
// file of its own at path.
int PlaceFileKeptOpen(const std::string& path, std::string_view bytes);

// Removes the temporary files the writes above left in folder when they were
// ended midway (a killed program): regular files named ".tolva-" and hex
// digits, of this user, with no other name, that no writer holds locked and
// no process holds open. This build's writers hold their flock from the
// file's creation until it is renamed or removed, so such a file goes at
// once; one that an older build may still be writing (it did not lock) goes
// once it is older than a minute. A file it cannot judge stays.
void RemoveStaleTemporaries(const std::string& folder);

// Writes all of bytes at the descriptor's position; false when a write
// fails, or, before anything is written, when the file would grow past the
// process's file-size limit (which would otherwise end the process).
bool WriteAll(int fd, std::string_view bytes);

// True when a file of size bytes is within the process's file-size limit.
bool FitsFileSizeLimit(std::uintmax_t size);

// The folder of a path: what comes before its last "/", "/" for a file in
// the root, "." for a bare name.
std::string FolderOf(const std::string& path);
