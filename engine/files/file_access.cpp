#include "files/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <system_error>
#include <utility>

#include "core/engine_error.h"
#include "core/large_buffer.h"

namespace kelvo {

namespace {

// The error a failed call left in errno. A call that failed without saying why counts as an I/O
// error, so that a failure is never taken for success.
std::error_code LastError() {
    const int error = errno;
    return error != 0 ? std::error_code(error, std::generic_category())
                      : std::make_error_code(std::errc::io_error);
}

// What examining a name found: the file it leads to; no file this process can reach, which is
// what the name's folders say rather than a fault; or a file that could not be examined.
enum class TLookup { Found, Nowhere, Failed };

TLookup LookUp(const std::function<int(const char*, struct stat*)>& examine,
               const std::string& path, struct stat& info) {
    if (examine(path.c_str(), &info) == 0) {
        return TLookup::Found;
    }
    const std::error_code error = LastError();
    const bool nowhere =
        error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory ||
        error == std::errc::permission_denied || error == std::errc::filename_too_long ||
        error == std::errc::too_many_symbolic_link_levels;
    return nowhere ? TLookup::Nowhere : TLookup::Failed;
}

// Opens `path` for reading into `file` only if it is a regular file, without ever blocking on a
// FIFO or a device, and tells its size. Returns the error and leaves `file` closed on failure.
std::error_code OpenRegularForReading(const std::string& path, const TFileCalls& calls,
                                      TFileHandle& file, std::size_t& size) {
    TFileHandle opened(calls.Open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0),
                       calls);
    if (!opened.IsOpen()) {
        return LastError();
    }
    struct stat info {};
    if (calls.Fstat(opened.Get(), &info) != 0) {
        return LastError();
    }
    if (!S_ISREG(info.st_mode)) {
        return std::make_error_code(S_ISDIR(info.st_mode) ? std::errc::is_a_directory
                                                          : std::errc::permission_denied);
    }
    size = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    file = std::move(opened);
    return {};
}

TFileWriteError CannotCreate(const std::string& path) {
    return {TWriteFault::CannotCreate, path};
}

std::string WriteFaultMessage(TWriteFault fault, const std::string& path) {
    return fault == TWriteFault::CannotCreate ? "Cannot create file " + path : "Stream write error";
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
            if (!file_.IsOpen() && LastError() != std::errc::file_exists) {
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
            calls_.Unlink(path_.c_str());
        }
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    bool IsOpen() const { return file_.IsOpen(); }
    int Fd() const { return file_.Get(); }
    std::error_code Close() { return file_.Close(); }
    // Puts the file in the place of `target`; afterwards there is nothing left to remove.
    std::error_code CommitAs(const std::string& target) {
        if (calls_.Rename(path_.c_str(), target.c_str()) != 0) {
            return LastError();
        }
        path_.clear();
        return {};
    }

private:
    static constexpr int kAttempts = 100;
    const TFileCalls& calls_;
    TFileHandle file_;
    std::string path_;
};

// The file that writing to `path` must replace: the file a symbolic link points to, so that the
// link stays, or `path` itself. Empty when `path` is a link that leads nowhere or a name that
// cannot be examined.
std::string ReplacementTarget(const std::string& path, const TFileCalls& calls) {
    struct stat info {};
    switch (LookUp(calls.Lstat, path, info)) {
        case TLookup::Nowhere:
            return path;
        case TLookup::Failed:
            return {};
        case TLookup::Found:
            break;
    }
    if (!S_ISLNK(info.st_mode)) {
        return path;
    }
    std::unique_ptr<char, decltype(&std::free)> resolved(calls.Realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

// Room added when a file turns out longer than it was when opened.
constexpr std::size_t kReadPiece = 1 << 16;

// Writes in pieces of kWritePiece bytes: a failure can come at the first, a middle or the last
// piece, and each must leave the old file as it was.
constexpr std::size_t kWritePiece = 1 << 16;

std::error_code WriteAll(int fd, std::string_view bytes, const TFileCalls& calls) {
    while (!bytes.empty()) {
        const ssize_t put = calls.Write(fd, bytes.data(), std::min(bytes.size(), kWritePiece));
        if (put < 0) {
            const std::error_code error = LastError();
            if (error == std::errc::interrupted) {
                continue;
            }
            return error;
        }
        // A write that takes nothing of a non-empty piece will take nothing of it again.
        if (put == 0) {
            return std::make_error_code(std::errc::io_error);
        }
        bytes.remove_prefix(std::min(bytes.size(), static_cast<std::size_t>(put)));
    }
    return {};
}

}  // namespace

TFileWriteError::TFileWriteError(TWriteFault fault, const std::string& path)
    : TEngineError(WriteFaultMessage(fault, path)), fault_(fault), path_(path) {}

TFileCalls::TFileCalls()
    : Open([](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }),
      Read(::read),
      Write(::write),
      Fsync(::fsync),
      Close(::close),
      Rename(::rename),
      Stat([](const char* path, struct stat* info) { return ::stat(path, info); }),
      Lstat([](const char* path, struct stat* info) { return ::lstat(path, info); }),
      Fstat([](int fd, struct stat* info) { return ::fstat(fd, info); }),
      Access(::access),
      Fchmod(::fchmod),
      Fchown(::fchown),
      Unlink(::unlink),
      Realpath(::realpath) {}

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

std::error_code TFileHandle::Close() {
    const int fd = std::exchange(fd_, -1);
    if (fd < 0 || calls_->Close(fd) == 0) {
        return {};
    }
    return LastError();
}

std::error_code ReadWholeFile(const std::string& path, std::vector<char>& bytes,
                              const TFileCalls& calls) {
    std::size_t expected = 0;
    TFileHandle file;
    if (const std::error_code error = OpenRegularForReading(path, calls, file, expected)) {
        return error;
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
            const std::error_code error = LastError();
            if (error == std::errc::interrupted) {
                continue;
            }
            bytes.resize(filled);
            return error;
        }
        if (got == 0) {
            bytes.resize(filled);
            return file.Close();
        }
        filled += static_cast<std::size_t>(got);
    }
}

bool IsSameFile(const std::string& kept, const std::string& written, const TFileCalls& calls) {
    struct stat keptInfo {};
    const TLookup keptFound = LookUp(calls.Stat, kept, keptInfo);
    if (keptFound == TLookup::Nowhere) {
        return false;
    }
    struct stat writtenInfo {};
    const TLookup writtenFound = LookUp(calls.Stat, written, writtenInfo);
    if (writtenFound == TLookup::Nowhere) {
        return false;
    }
    if (keptFound == TLookup::Failed || writtenFound == TLookup::Failed) {
        throw CannotCreate(written);
    }
    return keptInfo.st_dev == writtenInfo.st_dev && keptInfo.st_ino == writtenInfo.st_ino;
}

void ReplaceFileContent(const std::string& path, std::string_view bytes, const TFileCalls& calls) {
    const std::string target = ReplacementTarget(path, calls);
    if (target.empty()) {
        throw CannotCreate(path);
    }
    mode_t mode = 0666;
    struct stat existing {};
    const TLookup found = LookUp(calls.Stat, target, existing);
    if (found == TLookup::Failed) {
        throw CannotCreate(path);
    }
    const bool exists = found == TLookup::Found;
    if (exists) {
        // A file without any write permission is read-only, for its owner and for root alike.
        constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
        if (!S_ISREG(existing.st_mode) || (existing.st_mode & kAnyWrite) == 0 ||
            calls.Access(target.c_str(), W_OK) != 0) {
            throw CannotCreate(path);
        }
        mode = existing.st_mode & 07777;
    }
    TTemporaryFile temporary(target, mode, calls);
    if (!temporary.IsOpen()) {
        throw CannotCreate(path);
    }
    if (exists) {
        // The permission bits given at creation are cut by the umask; the replacement keeps the
        // old file's bits and, where allowed, its owner: a refused change of owner leaves ours.
        if (calls.Fchmod(temporary.Fd(), mode) != 0) {
            throw CannotCreate(path);
        }
        calls.Fchown(temporary.Fd(), existing.st_uid, existing.st_gid);
    }
    if (WriteAll(temporary.Fd(), bytes, calls) || calls.Fsync(temporary.Fd()) != 0 ||
        temporary.Close()) {
        throw TFileWriteError(TWriteFault::WriteFailed, path);
    }
    if (temporary.CommitAs(target)) {
        throw CannotCreate(path);
    }
}

}  // namespace kelvo
