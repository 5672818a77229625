#include "files/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/column_file.h"
#include "test_support.h"

namespace kelvo {

namespace {

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

// Sets the process's umask for the life of the object.
class TUmask {
public:
    explicit TUmask(mode_t mask) : old_(::umask(mask)) {}
    ~TUmask() { ::umask(old_); }

private:
    mode_t old_;
};

}  // namespace

TEST(file_access, every_failing_step_of_a_replacement_keeps_the_old_file) {
    struct TCase {
        const char* Step;
        std::string Message;
    };
    TTempDir dir;
    const std::string path = dir / "out.txt";
    for (const TCase& step :
         {TCase{"fsync", "Stream write error"}, TCase{"close", "Stream write error"},
          TCase{"rename", "Cannot create file " + path},
          TCase{"open", "Cannot create file " + path}, TCase{"write", "Stream write error"}}) {
        SCOPED_TRACE(step.Step);
        WriteBytes(path, "old\r\n");
        TFileCalls calls;
        const std::string name = step.Step;
        if (name == "fsync") {
            calls.Fsync = [](int) { return errno = EIO, -1; };
        } else if (name == "close") {
            // The descriptor is closed all the same, as close(2) does on EIO.
            calls.Close = [](int fd) { return ::close(fd), errno = EIO, -1; };
        } else if (name == "rename") {
            calls.Rename = [](const char*, const char*) { return errno = EXDEV, -1; };
        } else if (name == "open") {
            calls.Open = [](const char*, int, mode_t) { return errno = EMFILE, -1; };
        } else {
            calls.Write = [](int, const void*, std::size_t) -> ssize_t { return errno = EIO, -1; };
        }
        EXPECT_THROW_MSG(ReplaceFileContent(path, "new\r\n", calls), TEngineError, step.Message);
        EXPECT_EQ(ReadBytes(path), "old\r\n");
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"out.txt"});
    }
}

TEST(file_access, reading_reports_each_failure_by_its_condition) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "1\r\n");
    const auto failingOpen = [](int error) {
        TFileCalls calls;
        calls.Open = [error](const char*, int, mode_t) { return errno = error, -1; };
        return calls;
    };
    EXPECT_THROW_MSG(LoadColumns(dir / "in.txt", failingOpen(EMFILE)), TEngineError,
                     "Too many open files");
    EXPECT_THROW_MSG(LoadColumns(dir / "in.txt", failingOpen(ENFILE)), TEngineError,
                     "Too many open files");
    EXPECT_THROW_MSG(LoadColumns(dir / "in.txt", failingOpen(ENOSPC)), TEngineError, "Disk full");
    EXPECT_THROW_MSG(LoadColumns(dir / "in.txt", failingOpen(EBUSY)), TEngineError,
                     "I/O error " + std::to_string(EBUSY));
    EXPECT_THROW_MSG(PrepareColumnFile(dir / "in.txt", failingOpen(EMFILE)), TEngineError,
                     "Cannot open file " + dir / "in.txt");

    TFileCalls failingRead;
    failingRead.Read = [](int, void*, std::size_t) -> ssize_t { return errno = EIO, -1; };
    EXPECT_THROW_MSG(LoadColumns(dir / "in.txt", failingRead), TEngineError,
                     "I/O error " + std::to_string(EIO));
    TFileCalls failingClose;
    failingClose.Close = [](int fd) { return ::close(fd), errno = EIO, -1; };
    EXPECT_THROW_MSG(LoadColumns(dir / "in.txt", failingClose), TEngineError,
                     "I/O error " + std::to_string(EIO));
    EXPECT_EQ(ReadBytes(dir / "in.txt"), "1\r\n");
}

TEST(file_access, interrupted_calls_are_repeated) {
    TTempDir dir;
    int interruptions = 0;
    TFileCalls calls;
    calls.Write = [&interruptions](int fd, const void* data, std::size_t size) -> ssize_t {
        if (interruptions++ % 2 == 0) {
            return errno = EINTR, -1;
        }
        return ::write(fd, data, std::min<std::size_t>(size, 3));
    };
    calls.Read = [&interruptions](int fd, void* data, std::size_t size) -> ssize_t {
        if (interruptions++ % 2 == 0) {
            return errno = EINTR, -1;
        }
        return ::read(fd, data, std::min<std::size_t>(size, 2));
    };
    ReplaceFileContent(dir / "out.txt", "11111111111111\r\n2\r\n", calls);
    EXPECT_EQ(ReadBytes(dir / "out.txt"), "11111111111111\r\n2\r\n");
    std::vector<char> bytes;
    ASSERT_TRUE(ReadWholeFile(dir / "out.txt", bytes, calls));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "11111111111111\r\n2\r\n");
    EXPECT_GT(interruptions, 10);
}

TEST(file_access, a_replacement_keeps_the_permission_bits_whatever_the_umask) {
    TTempDir dir;
    const TUmask mask(077);
    WriteBytes(dir / "shared.txt", "old");
    ASSERT_EQ(::chmod((dir / "shared.txt").c_str(), 0664), 0);
    ReplaceFileContent(dir / "shared.txt", "new", {});
    EXPECT_EQ(ModeOf(dir / "shared.txt"), 0664u);
    // A new file gets what the umask leaves of read and write for everyone.
    ReplaceFileContent(dir / "new.txt", "new", {});
    EXPECT_EQ(ModeOf(dir / "new.txt"), 0600u);
}

TEST(file_access, a_dangling_link_is_not_written_through) {
    TTempDir dir;
    std::filesystem::create_symlink(dir / "gone/target.txt", dir / "out.txt");
    EXPECT_THROW_MSG(ReplaceFileContent(dir / "out.txt", "new", {}), TEngineError,
                     "Cannot create file " + dir / "out.txt");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "out.txt"));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"out.txt"});
}

}  // namespace kelvo
