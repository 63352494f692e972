#pragma once
// Whole-file reads and crash-safe whole-file writes. Paths are the system's
// native bytes and are used unchanged.

#include <cstddef>
#include <string>
#include <string_view>

// True when path names an existing regular file that can be opened for
// reading. Directories and other special files cannot.
bool CanOpenForReading(const std::string& path);

// Reads at most maxBytes of the regular file at path into bytes. Returns false,
// leaving bytes empty, when the file cannot be opened for reading.
bool ReadFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes);

// True when ReplaceFileContents could write path: its folder takes new files
// and an existing file there is a writable regular file.
bool CanReplaceFile(const std::string& path);

// Makes path hold exactly bytes. The bytes are written completely to a new
// file beside the target and only then put in its place, so a failure at any
// point (disk full, permissions) leaves the old file whole. An existing file
// keeps its permissions; a link is followed to the file it names.
// Returns false, with nothing changed, when the file cannot be written.
bool ReplaceFileContents(const std::string& path, std::string_view bytes);
