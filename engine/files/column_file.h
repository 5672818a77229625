// The column file in both directions, and the column list a run works on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/column_key.h"
#include "core/engine_error.h"
#include "files/collation.h"
#include "files/file_access.h"

namespace kelvo {

// Cuts bytes into lines, which point into `bytes`: CR LF, a lone CR and a lone LF each end one
// line; a line end just before the end starts no further line; no bytes give no lines.
std::vector<std::string_view> CutLines(std::string_view bytes);

// The messages with which a reader says it cannot read a column file.
enum class TReadMessages {
    // "Cannot open file PATH", and "File PATH holds zero bytes and is not a column file" for a
    // file holding a byte 0, which no column file does: as the rewrite, the check and the score
    // report them.
    CannotOpenFile,
    // The line reader's message for the error number: "File not found", "Invalid filename", "Too
    // many open files", "File access denied", "Disk full" or "I/O error N"; a byte 0 is read as
    // any other. As a run reports loading the file it has just rewritten.
    LineReader,
};

// Reads the whole file at `path`, changing nothing. Throws TEngineError with the message of
// `messages` when it cannot be read or, for CannotOpenFile, holds a byte 0.
std::vector<char> ReadColumnFileBytes(const std::string& path, TReadMessages messages,
                                      const TFileCalls& calls = {});

// Reads every line of the file at `path`, sorts the lines and writes them back in place. Returns
// the number of lines. Throws TEngineError with the user-visible message on failure; the file then
// keeps its old content byte for byte.
int PrepareColumnFile(const std::string& path, const TFileCalls& calls = {},
                      const TProgressCall& progress = {});

// The columns of a column file's bytes, as a run loads them: a line ends at a line feed (a
// carriage return just before it belongs to the line end), each line is trimmed and cut to
// kColumnLength, and a line that begins with byte 26 ends the columns. No lines before such a
// line, or no bytes, give one empty column.
TColumnList ParseColumns(std::string_view bytes);

// Reads the columns of the file at `path` as ParseColumns cuts them, changing nothing. Throws
// what ReadColumnFileBytes throws.
TColumnList ReadColumns(const std::string& path, TReadMessages messages,
                        const TFileCalls& calls = {});

// Writes `lines` to `path`, each followed by CR LF, creating or replacing the file. The file is
// replaced only once complete: on failure (TEngineError) it keeps its old content.
void SaveColumns(const std::vector<std::string>& lines, const std::string& path,
                 const TFileCalls& calls = {});

// Makes a column from a line: bytes 0-32 removed at both ends, cut to kColumnLength.
std::string_view TrimColumn(std::string_view line);

}  // namespace kelvo
