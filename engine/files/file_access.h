// The file calls the engine makes, behind one seam, and the things it does with them: reading a
// regular file whole, telling whether two names lead to one file, and replacing a file's content
// so that a failure at any point leaves the old content in place.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/engine_error.h"

namespace kelvo {

// Why a file could not be written: it could not be examined, created or put in place, or writing
// its bytes or making them durable failed.
enum class TWriteFault { CannotCreate, WriteFailed };

// A file that could not be written, with its fault and its name as given, so that a window can
// word it in its own language. what() is the engine's message: "Cannot create file PATH" or
// "Stream write error".
class TFileWriteError : public TEngineError {
public:
    TFileWriteError(TWriteFault fault, const std::string& path);
    TWriteFault Fault() const { return fault_; }
    const std::string& Path() const { return path_; }

private:
    TWriteFault fault_;
    std::string path_;
};

// The system calls through which the engine reads, examines and writes files, with the contracts
// of open(2), read(2), write(2), fsync(2), close(2), rename(2), stat(2), lstat(2), fstat(2),
// access(2), fchmod(2), fchown(2), unlink(2) and realpath(3) (a result it returns for a null
// `resolved` is released with free). Tests put failing ones in their place; everything else uses
// the defaults, the system calls themselves.
struct TFileCalls {
    std::function<int(const char* path, int flags, mode_t mode)> Open;
    std::function<ssize_t(int fd, void* data, std::size_t size)> Read;
    std::function<ssize_t(int fd, const void* data, std::size_t size)> Write;
    std::function<int(int fd)> Fsync;
    std::function<int(int fd)> Close;
    std::function<int(const char* from, const char* to)> Rename;
    std::function<int(const char* path, struct stat* info)> Stat;
    std::function<int(const char* path, struct stat* info)> Lstat;
    std::function<int(int fd, struct stat* info)> Fstat;
    std::function<int(const char* path, int how)> Access;
    std::function<int(int fd, mode_t mode)> Fchmod;
    std::function<int(int fd, uid_t owner, gid_t group)> Fchown;
    std::function<int(const char* path)> Unlink;
    std::function<char*(const char* path, char* resolved)> Realpath;

    TFileCalls();
};

// Owns one POSIX file descriptor, closed through the seam it was opened with.
class TFileHandle {
public:
    TFileHandle() = default;
    TFileHandle(int fd, const TFileCalls& calls) : fd_(fd), calls_(&calls) {}
    ~TFileHandle() { Close(); }
    TFileHandle(TFileHandle&& other) noexcept;
    TFileHandle& operator=(TFileHandle&& other) noexcept;
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    // Closes now, leaving the handle closed either way, and returns the close's error (a deferred
    // write error shows here); closing a closed handle is no error.
    std::error_code Close();

private:
    int fd_ = -1;
    const TFileCalls* calls_ = nullptr;
};

// Reads the whole regular file at `path` into `bytes`, never blocking on a FIFO or a device.
// Returns the error when it cannot be opened or examined, is not a regular file (EISDIR for a
// folder, EACCES for anything else), or a read or the close fails; `bytes` then holds what was
// read so far. Changes no file.
std::error_code ReadWholeFile(const std::string& path, std::vector<char>& bytes,
                              const TFileCalls& calls);

// Whether the names `kept` and `written` lead to one file, compared by device and inode after
// following symbolic links. A name that leads to no file this process can reach is no other
// name's file. Throws TFileWriteError "Cannot create file WRITTEN" when either name leads to a file
// that cannot be examined for another reason, as writing `written` could then destroy `kept`.
// Changes nothing.
bool IsSameFile(const std::string& kept, const std::string& written, const TFileCalls& calls);

// Replaces the content of the file at `path` with `bytes`, or creates it: the file a symbolic
// link points to is replaced and the link stays; a replaced file keeps its permission bits and,
// where allowed, its owner. The old content stays until the new one is complete on disk. Throws
// TFileWriteError "Cannot create file PATH" when the file cannot be examined, created, given its
// permission bits or put in place and "Stream write error" when writing or making it durable
// fails; the file is then as it was and no temporary file is left (unless removing it fails too).
void ReplaceFileContent(const std::string& path, std::string_view bytes, const TFileCalls& calls);

}  // namespace kelvo
