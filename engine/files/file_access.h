// The few file calls the engine makes, behind one seam, and the two things it does with them:
// reading a regular file whole, and replacing a file's content so that a failure at any point
// leaves the old content in place.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// The system calls through which the engine reads and writes files, with the contracts of
// open(2), read(2), write(2), fsync(2), close(2) and rename(2). Tests put failing ones in their
// place; everything else uses the defaults, the system calls themselves.
struct TFileCalls {
    std::function<int(const char* path, int flags, mode_t mode)> Open;
    std::function<ssize_t(int fd, void* data, std::size_t size)> Read;
    std::function<ssize_t(int fd, const void* data, std::size_t size)> Write;
    std::function<int(int fd)> Fsync;
    std::function<int(int fd)> Close;
    std::function<int(const char* from, const char* to)> Rename;

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
    // Closes now and reports whether the close succeeded (a deferred write error shows here).
    bool Close();

private:
    int fd_ = -1;
    const TFileCalls* calls_ = nullptr;
};

// Reads the whole regular file at `path` into `bytes`, never blocking on a FIFO or a device.
// Returns false with errno set when it cannot be opened, is not a regular file, or a read or the
// close fails; `bytes` then holds what was read so far.
bool ReadWholeFile(const std::string& path, std::vector<char>& bytes, const TFileCalls& calls);

// Replaces the content of the file at `path` with `bytes`, or creates it: the file a symbolic
// link points to is replaced and the link stays; a replaced file keeps its permission bits and,
// where allowed, its owner. The old content stays until the new one is complete on disk. Throws
// TEngineError "Cannot create file PATH" when the file cannot be created or put in place and
// "Stream write error" when writing or making it durable fails; the file is then as it was and
// no temporary file is left.
void ReplaceFileContent(const std::string& path, std::string_view bytes, const TFileCalls& calls);

}  // namespace kelvo
