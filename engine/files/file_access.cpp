#include "files/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <utility>

#include "core/engine_error.h"
#include "core/large_buffer.h"

namespace kelvo {

namespace {

// Opens `path` for reading only if it is a regular file, without ever blocking on a FIFO or a
// device, and tells its size. Returns a closed handle and sets errno on failure.
TFileHandle OpenRegularForReading(const std::string& path, const TFileCalls& calls,
                                  std::size_t& size) {
    TFileHandle file(calls.Open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0),
                     calls);
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
    size = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    return file;
}

std::string CannotCreate(const std::string& path) {
    return "Cannot create file " + path;
}

// A new file beside the one it will replace; removed again unless committed by renaming it over
// that file, so that no temporary file outlives a failed write.
class TTemporaryFile {
public:
    TTemporaryFile(const std::string& target, mode_t mode, const TFileCalls& calls)
        : calls_(calls) {
        const auto slash = target.rfind('/');
        const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
        for (int attempt = 0; attempt < kAttempts && !file_.IsOpen(); ++attempt) {
            path_ = folder + "." + name + ".kelvo-" + std::to_string(::getpid()) + "-" +
                    std::to_string(attempt);
            file_ = TFileHandle(
                calls.Open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode),
                calls);
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
        if (calls_.Rename(path_.c_str(), target.c_str()) != 0) {
            return false;
        }
        path_.clear();
        return true;
    }

private:
    static constexpr int kAttempts = 100;
    const TFileCalls& calls_;
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

// Room added when a file turns out longer than it was when opened.
constexpr std::size_t kReadPiece = 1 << 16;

// Writes in pieces of kWritePiece bytes: a failure can come at the first, a middle or the last
// piece, and each must leave the old file as it was.
constexpr std::size_t kWritePiece = 1 << 16;

bool WriteAll(int fd, std::string_view bytes, const TFileCalls& calls) {
    while (!bytes.empty()) {
        const ssize_t put = calls.Write(fd, bytes.data(), std::min(bytes.size(), kWritePiece));
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

}  // namespace

TFileCalls::TFileCalls()
    : Open([](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }),
      Read(::read),
      Write(::write),
      Fsync(::fsync),
      Close(::close),
      Rename(::rename) {}

TFileHandle::TFileHandle(TFileHandle&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), calls_(other.calls_) {}

TFileHandle& TFileHandle::operator=(TFileHandle&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        calls_ = other.calls_;
    }
    return *this;
}

bool TFileHandle::Close() {
    const int fd = std::exchange(fd_, -1);
    return fd < 0 || calls_->Close(fd) == 0;
}

bool ReadWholeFile(const std::string& path, std::vector<char>& bytes, const TFileCalls& calls) {
    std::size_t expected = 0;
    TFileHandle file = OpenRegularForReading(path, calls, expected);
    if (!file.IsOpen()) {
        return false;
    }
    // One byte more than the size, so that a file that has not grown ends with one short read.
    ReserveLarge(bytes, expected + 1);
    bytes.resize(expected + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            bytes.resize(bytes.size() + kReadPiece);
        }
        const ssize_t got = calls.Read(file.Get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            bytes.resize(filled);
            return false;
        }
        if (got == 0) {
            bytes.resize(filled);
            return file.Close();
        }
        filled += static_cast<std::size_t>(got);
    }
}

void ReplaceFileContent(const std::string& path, std::string_view bytes, const TFileCalls& calls) {
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
    TTemporaryFile temporary(target, mode, calls);
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
    if (!WriteAll(temporary.Fd(), bytes, calls) || calls.Fsync(temporary.Fd()) != 0 ||
        !temporary.Close()) {
        throw TEngineError("Stream write error");
    }
    if (!temporary.CommitAs(target)) {
        throw TEngineError(CannotCreate(path));
    }
}

}  // namespace kelvo
