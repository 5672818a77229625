// The column file in both directions, and the column list a run works on.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// Every engine failure. The message is the text the user sees, exactly.
class TEngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Number of signs (positions) in a column.
constexpr int kColumnLength = 14;

// One loaded column.
struct TColumnRecord {
    std::int32_t Id = 0;  // 1-based line number in the prepared file
    std::string Column;   // trimmed, at most kColumnLength bytes
    // Ids within one differing position, ascending, filled by the neighbour analysis. The
    // list ends at its first 0 entry or at its last entry; the cover selection writes 0 into the
    // first entry of a chosen record. Points into the owning TColumnList's storage.
    std::span<std::int32_t> Neighbours;
};

// The records of one run, in file order. Records[i] has Id i + 1; every walk goes first to last.
// Not copyable, because each record's Neighbours points into NeighbourStore.
struct TColumnList {
    std::vector<TColumnRecord> Records;
    std::vector<std::int32_t> NeighbourStore;

    TColumnList() = default;
    TColumnList(TColumnList&&) = default;
    TColumnList& operator=(TColumnList&&) = default;
    TColumnList(const TColumnList&) = delete;
    TColumnList& operator=(const TColumnList&) = delete;

    std::int32_t Count() const { return static_cast<std::int32_t>(Records.size()); }
};

// The call through which the engine writes file contents, with the contract of write(2). Tests
// put a failing one in its place.
using TWriteCall = std::function<ssize_t(int fd, const void* data, std::size_t size)>;

// Receives how far a long operation has got, from 0 to 1.
using TProgressCall = std::function<void(double fraction)>;

// write(2) itself.
ssize_t SystemWrite(int fd, const void* data, std::size_t size);

// Cuts bytes into lines: CR LF, a lone CR and a lone LF each end one line; a line end just before
// the end starts no further line; no bytes give no lines.
std::vector<std::string> CutLines(std::string_view bytes);

// Sorts lines ascending by the column-file collation (symbols < digits < letters, case ignored,
// a prefix first), with the exact exchange sequence of QuickSort so that lines that compare equal
// but differ in their bytes always end in the same order.
void SortLines(std::vector<std::string>& lines, const TProgressCall& progress = {});

// Three-way comparison of two lines by the column-file collation: <0, 0 or >0.
int CompareLines(std::string_view a, std::string_view b);

// Reads every line of the file at `path`, sorts the lines and writes them back in place. Returns
// the number of lines. Throws TEngineError with the user-visible message on failure; the file then
// keeps its old content byte for byte.
int PrepareColumnFile(const std::string& path, const TWriteCall& write = SystemWrite,
                      const TProgressCall& progress = {});

// Reads the whole file at `path` and cuts it into lines, changing nothing. Throws TEngineError
// when it cannot be read or holds a byte 0.
std::vector<std::string> ReadLines(const std::string& path);

// Reads the prepared file at `path` into records 1..N, each trimmed and cut to kColumnLength.
// Loading stops at a line that begins with byte 26; an empty file gives one empty record.
// Throws TEngineError with the line reader's message on failure.
TColumnList LoadColumns(const std::string& path);

// Writes `lines` to `path`, each followed by CR LF, creating or replacing the file. The file is
// replaced only once complete: on failure (TEngineError) it keeps its old content.
void SaveColumns(const std::vector<std::string>& lines, const std::string& path,
                 const TWriteCall& write = SystemWrite);

// Makes a record's column from a line: bytes 0-32 removed at both ends, cut to kColumnLength.
std::string TrimColumn(std::string_view line);
