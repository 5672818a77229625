#include "column_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <utility>

namespace {

constexpr char kCR = 13;
constexpr char kLF = 10;
constexpr char kTextEndMark = 26;
constexpr unsigned char kLastTrimmedByte = 32;

// Collation weight of each byte; comparing two lines is comparing their weight strings, and a
// line that is the beginning of a longer one comes first. The order is fixed and independent of
// the process locale:
//   weights   0-65   bytes 0-127 that are neither digits nor letters (control bytes, the blank,
//                    punctuation and other symbols), in byte order;
//   weights  66-75   the digits 0-9, in numeric order;
//   weights  76-101  the letters A-Z, each equal to its lower-case letter;
//   weights 102-229  bytes 128-255, after Z, in byte order.
constexpr std::array<std::uint8_t, 256> MakeWeights() {
    std::array<std::uint8_t, 256> weight{};
    std::uint8_t next = 0;
    for (int b = 0; b < 128; ++b) {
        const bool digit = b >= '0' && b <= '9';
        const bool letter = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
        if (!digit && !letter) {
            weight[b] = next++;
        }
    }
    for (int b = '0'; b <= '9'; ++b) {
        weight[b] = next++;
    }
    for (int b = 'A'; b <= 'Z'; ++b) {
        weight[b] = next;
        weight[b - 'A' + 'a'] = next;
        ++next;
    }
    for (int b = 128; b < 256; ++b) {
        weight[b] = next++;
    }
    return weight;
}

constexpr std::array<std::uint8_t, 256> kWeight = MakeWeights();

// Lines sorted between two progress reports.
constexpr std::size_t kProgressStep = 1 << 16;

// The exchange sequence of this quicksort (middle pivot, the pivot index following the pivot
// line through exchanges) decides the order of lines that compare equal but differ in their
// bytes, and that order is part of the rewritten file. The left part is sorted before the right
// part continues, as the classic recursive form does; the pending right parts wait on an
// explicit stack, so the call stack stays flat whatever the input.
void QuickSort(std::vector<std::string>& lines, std::size_t lo, std::size_t hi,
               const TProgressCall& progress) {
    std::vector<std::pair<std::size_t, std::size_t>> pending{{lo, hi}};
    // Lines that no later exchange can move: those between the two parts of a split, and parts
    // of one line.
    const double total = static_cast<double>(hi - lo + 1);
    std::size_t placed = 0;
    std::size_t nextReport = 0;
    while (!pending.empty()) {
        const auto [from, to] = pending.back();
        pending.pop_back();
        // i and j may step one past the range ends, so they are signed.
        std::ptrdiff_t i = static_cast<std::ptrdiff_t>(from);
        std::ptrdiff_t j = static_cast<std::ptrdiff_t>(to);
        std::ptrdiff_t p = static_cast<std::ptrdiff_t>(from + (to - from) / 2);
        do {
            while (CompareLines(lines[i], lines[p]) < 0) {
                ++i;
            }
            while (CompareLines(lines[j], lines[p]) > 0) {
                --j;
            }
            if (i <= j) {
                std::swap(lines[i], lines[j]);
                if (p == i) {
                    p = j;
                } else if (p == j) {
                    p = i;
                }
                ++i;
                --j;
            }
        } while (i <= j);
        // Pushed first so that it runs after the whole left part.
        if (i < static_cast<std::ptrdiff_t>(to)) {
            pending.emplace_back(static_cast<std::size_t>(i), to);
        }
        if (static_cast<std::ptrdiff_t>(from) < j) {
            pending.emplace_back(from, static_cast<std::size_t>(j));
        }
        if (progress) {
            placed += static_cast<std::size_t>(i - j - 1) +
                      (i == static_cast<std::ptrdiff_t>(to) ? 1 : 0) +
                      (j == static_cast<std::ptrdiff_t>(from) ? 1 : 0);
            if (placed >= nextReport) {
                progress(static_cast<double>(placed) / total);
                nextReport = placed + kProgressStep;
            }
        }
    }
}

// Owns one POSIX file descriptor.
class TFileHandle {
public:
    explicit TFileHandle(int fd = -1) : fd_(fd) {}
    ~TFileHandle() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    TFileHandle(TFileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    TFileHandle& operator=(TFileHandle&& other) noexcept {
        if (this != &other) {
            Close();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded (a deferred write error shows here).
    bool Close() {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

// Opens `path` for reading only if it is a regular file, without ever blocking on a FIFO or a
// device. Returns a closed handle and sets errno on failure.
TFileHandle OpenRegularForReading(const std::string& path) {
    TFileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.IsOpen()) {
        return file;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        return TFileHandle();
    }
    if (!S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : EACCES;
        return TFileHandle();
    }
    return file;
}

// Reads everything from `fd`; false with errno set on a read error.
bool ReadAll(int fd, std::string& bytes) {
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    std::array<char, 1 << 16> chunk;
    for (;;) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

// The line reader's message for an error number, by its condition.
std::string LineReaderMessage(int error) {
    switch (error) {
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
            return "I/O error " + std::to_string(error);
    }
}

std::string CannotCreate(const std::string& path) {
    return "Cannot create file " + path;
}

// A new file beside the one it will replace; removed again unless committed by renaming it over
// that file, so that no temporary file outlives a failed write.
class TTemporaryFile {
public:
    TTemporaryFile(const std::string& target, mode_t mode) {
        const auto slash = target.rfind('/');
        const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
        for (int attempt = 0; attempt < kAttempts && !file_.IsOpen(); ++attempt) {
            path_ = folder + "." + name + ".kelvo-" + std::to_string(::getpid()) + "-" +
                    std::to_string(attempt);
            file_ = TFileHandle(
                ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode));
            if (!file_.IsOpen() && errno != EEXIST) {
                break;
            }
        }
        if (!file_.IsOpen()) {
            path_.clear();
        }
    }
    ~TTemporaryFile() {
        file_.Close();
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    bool IsOpen() const { return file_.IsOpen(); }
    int Fd() const { return file_.Get(); }
    bool Close() { return file_.Close(); }
    // Puts the file in the place of `target`; afterwards there is nothing left to remove.
    bool CommitAs(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) {
            return false;
        }
        path_.clear();
        return true;
    }

private:
    static constexpr int kAttempts = 100;
    TFileHandle file_;
    std::string path_;
};

// The file that writing to `path` must replace: the file a symbolic link points to, so that the
// link stays, or `path` itself. Empty when `path` is a link that leads nowhere.
std::string ReplacementTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

// Writes in pieces of kWritePiece bytes: a failure can come at the first, a middle or the last
// piece, and each must leave the old file as it was.
constexpr std::size_t kWritePiece = 1 << 16;

bool WriteAll(int fd, std::string_view bytes, const TWriteCall& write) {
    while (!bytes.empty()) {
        const ssize_t put = write(fd, bytes.data(), std::min(bytes.size(), kWritePiece));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        bytes.remove_prefix(std::min(bytes.size(), static_cast<std::size_t>(put)));
    }
    return true;
}

// Replaces the content of the file at `path` with `bytes`, or creates it. The old content stays
// until the new one is complete on disk: a failure at any point leaves the file as it was.
void ReplaceFileContent(const std::string& path, std::string_view bytes, const TWriteCall& write) {
    const std::string target = ReplacementTarget(path);
    if (target.empty()) {
        throw TEngineError(CannotCreate(path));
    }
    mode_t mode = 0666;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        // A file without any write permission is read-only, for its owner and for root alike.
        constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
        if (!S_ISREG(existing.st_mode) || (existing.st_mode & kAnyWrite) == 0 ||
            ::access(target.c_str(), W_OK) != 0) {
            throw TEngineError(CannotCreate(path));
        }
        mode = existing.st_mode & 07777;
    }
    TTemporaryFile temporary(target, mode);
    if (!temporary.IsOpen()) {
        throw TEngineError(CannotCreate(path));
    }
    if (exists) {
        // The permission bits given at creation are cut by the umask; the replacement keeps the
        // old file's bits and, where allowed, its owner.
        ::fchmod(temporary.Fd(), mode);
        [[maybe_unused]] const int ignored =
            ::fchown(temporary.Fd(), existing.st_uid, existing.st_gid);
    }
    if (!WriteAll(temporary.Fd(), bytes, write) || ::fsync(temporary.Fd()) != 0 ||
        !temporary.Close()) {
        throw TEngineError("Stream write error");
    }
    if (!temporary.CommitAs(target)) {
        throw TEngineError(CannotCreate(path));
    }
}

}  // namespace

ssize_t SystemWrite(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

int CompareLines(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t k = 0; k < common; ++k) {
        const int wa = kWeight[static_cast<unsigned char>(a[k])];
        const int wb = kWeight[static_cast<unsigned char>(b[k])];
        if (wa != wb) {
            return wa - wb;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::vector<std::string> CutLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", pos), bytes.size());
        lines.emplace_back(bytes.substr(pos, end - pos));
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

void SortLines(std::vector<std::string>& lines, const TProgressCall& progress) {
    if (lines.size() >= 2) {
        QuickSort(lines, 0, lines.size() - 1, progress);
    }
}

std::string TrimColumn(std::string_view line) {
    const auto kept = [](char c) { return static_cast<unsigned char>(c) > kLastTrimmedByte; };
    const auto first = std::find_if(line.begin(), line.end(), kept);
    const auto last = std::find_if(line.rbegin(), line.rend(), kept).base();
    if (first >= last) {
        return {};
    }
    const auto length = std::min<std::size_t>(last - first, kColumnLength);
    return std::string(first, first + length);
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::string bytes;
    {
        const TFileHandle file = OpenRegularForReading(path);
        if (!file.IsOpen() || !ReadAll(file.Get(), bytes)) {
            throw TEngineError("Cannot open file " + path);
        }
    }
    if (bytes.find('\0') != std::string::npos) {
        throw TEngineError("File " + path + " holds zero bytes and is not a column file");
    }
    return CutLines(bytes);
}

int PrepareColumnFile(const std::string& path, const TWriteCall& write,
                      const TProgressCall& progress) {
    std::vector<std::string> lines = ReadLines(path);
    SortLines(lines, progress);
    SaveColumns(lines, path, write);
    return static_cast<int>(lines.size());
}

TColumnList LoadColumns(const std::string& path) {
    std::string bytes;
    {
        TFileHandle file = OpenRegularForReading(path);
        if (!file.IsOpen() || !ReadAll(file.Get(), bytes)) {
            throw TEngineError(LineReaderMessage(errno));
        }
        if (!file.Close()) {
            throw TEngineError(LineReaderMessage(errno));
        }
    }
    const std::string_view text = bytes;
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
    do {
        const std::string_view line = readLine();
        list.Records.push_back(TColumnRecord{list.Count() + 1, TrimColumn(line), {}});
    } while (!atEnd());
    return list;
}

void SaveColumns(const std::vector<std::string>& lines, const std::string& path,
                 const TWriteCall& write) {
    std::size_t size = 0;
    for (const auto& line : lines) {
        size += line.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    ReplaceFileContent(path, bytes, write);
}
