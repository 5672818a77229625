#include "files/column_file.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "core/large_buffer.h"

namespace kelvo {

namespace {

constexpr char kCR = 13;
constexpr char kLF = 10;
constexpr char kTextEndMark = 26;
constexpr unsigned char kLastTrimmedByte = 32;

// The line reader's message for an error, by its number.
std::string LineReaderMessage(const std::error_code& error) {
    switch (error.value()) {
        case ENOENT:
        case ENOTDIR:
            return "File not found";
        case ENAMETOOLONG:
        case EINVAL:
            return "Invalid filename";
        case EMFILE:
        case ENFILE:
            return "Too many open files";
        case EACCES:
        case EPERM:
        case EISDIR:
            return "File access denied";
        case ENOSPC:
            return "Disk full";
        default:
            return "I/O error " + std::to_string(error.value());
    }
}

std::string_view View(const std::vector<char>& bytes) {
    return {bytes.data(), bytes.size()};
}

// The bytes of a column file holding `count` lines, the k-th being lineAt(k), each followed by
// CR LF.
template <class LineAt>
std::string ColumnFileBytes(std::size_t count, const LineAt& lineAt) {
    std::size_t size = 0;
    for (std::size_t k = 0; k < count; ++k) {
        size += lineAt(k).size() + 2;
    }
    std::string bytes;
    ReserveLarge(bytes, size);
    for (std::size_t k = 0; k < count; ++k) {
        bytes += lineAt(k);
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace

std::vector<std::string_view> CutLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    // Column files end every line with CR LF: a line per 16 bytes is the usual count.
    ReserveLarge(lines, bytes.size() / 16 + 1);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", pos), bytes.size());
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end;
        if (pos < bytes.size() && bytes[pos] == kCR) {
            ++pos;
        }
        if (pos < bytes.size() && bytes[pos] == kLF) {
            ++pos;
        }
    }
    return lines;
}

std::string_view TrimColumn(std::string_view line) {
    const auto kept = [](char c) { return static_cast<unsigned char>(c) > kLastTrimmedByte; };
    const auto first = std::find_if(line.begin(), line.end(), kept);
    const auto last = std::find_if(line.rbegin(), line.rend(), kept).base();
    if (first >= last) {
        return {};
    }
    const auto length =
        std::min<std::size_t>(static_cast<std::size_t>(last - first), kColumnLength);
    return line.substr(static_cast<std::size_t>(first - line.begin()), length);
}

std::vector<char> ReadColumnFileBytes(const std::string& path, TReadMessages messages,
                                      const TFileCalls& calls) {
    std::vector<char> bytes;
    if (const std::error_code error = ReadWholeFile(path, bytes, calls)) {
        throw TEngineError(messages == TReadMessages::LineReader ? LineReaderMessage(error)
                                                                 : "Cannot open file " + path);
    }
    if (messages == TReadMessages::CannotOpenFile &&
        std::find(bytes.begin(), bytes.end(), '\0') != bytes.end()) {
        throw TEngineError("File " + path + " holds zero bytes and is not a column file");
    }
    return bytes;
}

int PrepareColumnFile(const std::string& path, const TFileCalls& calls,
                      const TProgressCall& progress) {
    const std::vector<char> bytes = ReadColumnFileBytes(path, TReadMessages::CannotOpenFile, calls);
    const std::vector<std::string_view> lines = CutLines(View(bytes));
    const std::vector<std::size_t> order = SortedOrder(lines, progress);
    ReplaceFileContent(
        path, ColumnFileBytes(lines.size(), [&](std::size_t k) { return lines[order[k]]; }), calls);
    return static_cast<int>(lines.size());
}

TColumnList ParseColumns(std::string_view text) {
    std::size_t pos = 0;
    const auto atEnd = [&] { return pos >= text.size() || text[pos] == kTextEndMark; };
    // A line ends at a line feed; a carriage return just before it belongs to the line end.
    const auto readLine = [&]() -> std::string_view {
        if (atEnd()) {
            return {};
        }
        const std::size_t lf = std::min(text.find(kLF, pos), text.size());
        std::string_view line = text.substr(pos, lf - pos);
        if (!line.empty() && line.back() == kCR && lf < text.size()) {
            line.remove_suffix(1);
        }
        pos = lf + 1;
        return line;
    };

    TColumnList list;
    ReserveLarge(list.Columns,
                 static_cast<std::size_t>(std::count(text.begin(), text.end(), kLF)) + 1);
    do {
        list.Columns.push_back(MakeKey(TrimColumn(readLine())));
    } while (!atEnd());
    return list;
}

TColumnList ReadColumns(const std::string& path, TReadMessages messages, const TFileCalls& calls) {
    const std::vector<char> bytes = ReadColumnFileBytes(path, messages, calls);
    return ParseColumns(View(bytes));
}

void SaveColumns(const std::vector<std::string>& lines, const std::string& path,
                 const TFileCalls& calls) {
    ReplaceFileContent(
        path,
        ColumnFileBytes(lines.size(), [&](std::size_t k) -> std::string_view { return lines[k]; }),
        calls);
}

}  // namespace kelvo
