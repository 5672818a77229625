#include "files/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <system_error>

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
        std::function<void(TFileCalls&)> Break;
    };
    TTempDir dir;
    const std::string path = dir / "out.txt";
    const TCase steps[] = {
        {"lstat", "Cannot create file " + path,
         [](TFileCalls& calls) {
             calls.Lstat = [](const char*, struct stat*) { return errno = EIO, -1; };
         }},
        {"stat", "Cannot create file " + path,
         [](TFileCalls& calls) {
             calls.Stat = [](const char*, struct stat*) { return errno = EIO, -1; };
         }},
        {"access", "Cannot create file " + path,
         [](TFileCalls& calls) {
             calls.Access = [](const char*, int) { return errno = EROFS, -1; };
         }},
        {"open", "Cannot create file " + path,
         [](TFileCalls& calls) {
             calls.Open = [](const char*, int, mode_t) { return errno = EMFILE, -1; };
         }},
        {"fchmod", "Cannot create file " + path,
         [](TFileCalls& calls) { calls.Fchmod = [](int, mode_t) { return errno = EIO, -1; }; }},
        {"write", "Stream write error",
         [](TFileCalls& calls) {
             calls.Write = [](int, const void*, std::size_t) -> ssize_t { return errno = EIO, -1; };
         }},
        {"fsync", "Stream write error",
         [](TFileCalls& calls) { calls.Fsync = [](int) { return errno = EIO, -1; }; }},
        // The descriptor is closed all the same, as close(2) does on EIO.
        {"close", "Stream write error",
         [](TFileCalls& calls) {
             calls.Close = [](int fd) { return ::close(fd), errno = EIO, -1; };
         }},
        {"rename", "Cannot create file " + path,
         [](TFileCalls& calls) {
             calls.Rename = [](const char*, const char*) { return errno = EXDEV, -1; };
         }},
    };
    for (const TCase& step : steps) {
        SCOPED_TRACE(step.Step);
        WriteBytes(path, "old\r\n");
        ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
        TFileCalls calls;
        step.Break(calls);
        EXPECT_THROW_MSG(ReplaceFileContent(path, "new\r\n", calls), TEngineError, step.Message);
        EXPECT_EQ(ReadBytes(path), "old\r\n");
        EXPECT_EQ(ModeOf(path), 0640u);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"out.txt"});
    }
}

TEST(file_access, a_link_that_cannot_be_resolved_keeps_the_link_and_its_file) {
    TTempDir dir;
    WriteBytes(dir / "real.txt", "old\r\n");
    std::filesystem::create_symlink("real.txt", dir / "link.txt");
    TFileCalls calls;
    calls.Realpath = [](const char*, char*) -> char* { return errno = ENOMEM, nullptr; };
    EXPECT_THROW_MSG(ReplaceFileContent(dir / "link.txt", "new\r\n", calls), TEngineError,
                     "Cannot create file " + dir / "link.txt");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
    EXPECT_EQ(ReadBytes(dir / "real.txt"), "old\r\n");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"link.txt", "real.txt"}));
}

TEST(file_access, a_refused_change_of_owner_still_replaces_the_content_with_its_bits) {
    TTempDir dir;
    WriteBytes(dir / "out.txt", "old\r\n");
    ASSERT_EQ(::chmod((dir / "out.txt").c_str(), 0604), 0);
    TFileCalls calls;
    int changes = 0;
    calls.Fchown = [&changes](int, uid_t, gid_t) { return ++changes, errno = EPERM, -1; };
    ReplaceFileContent(dir / "out.txt", "new\r\n", calls);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ReadBytes(dir / "out.txt"), "new\r\n");
    EXPECT_EQ(ModeOf(dir / "out.txt"), 0604u);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"out.txt"});
}

TEST(file_access, a_temporary_that_cannot_be_removed_keeps_the_write_error) {
    TTempDir dir;
    WriteBytes(dir / "out.txt", "old\r\n");
    TFileCalls calls;
    calls.Write = [](int, const void*, std::size_t) -> ssize_t { return errno = ENOSPC, -1; };
    std::vector<std::string> removed;
    calls.Unlink = [&removed](const char* path) {
        return removed.push_back(path), errno = EIO, -1;
    };
    EXPECT_THROW_MSG(ReplaceFileContent(dir / "out.txt", "new\r\n", calls), TEngineError,
                     "Stream write error");
    const std::string temporary = ".out.txt.kelvo-" + std::to_string(::getpid()) + "-0";
    EXPECT_EQ(removed, std::vector<std::string>{dir / temporary});
    EXPECT_EQ(ReadBytes(dir / "out.txt"), "old\r\n");
    EXPECT_EQ(ReadBytes(dir / temporary), "");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{temporary, "out.txt"}));
}

TEST(file_access, names_are_the_same_file_by_device_and_inode) {
    TTempDir dir;
    WriteBytes(dir / "a.txt", "1\r\n");
    WriteBytes(dir / "b.txt", "1\r\n");
    std::filesystem::create_symlink("a.txt", dir / "link.txt");
    const TFileCalls calls;
    EXPECT_TRUE(IsSameFile(dir / "a.txt", dir / "link.txt", calls));
    EXPECT_TRUE(IsSameFile(dir / "a.txt", dir / "./a.txt", calls));
    EXPECT_FALSE(IsSameFile(dir / "a.txt", dir / "b.txt", calls));
    EXPECT_FALSE(IsSameFile(dir / "a.txt", dir / "new.txt", calls));
    EXPECT_FALSE(IsSameFile(dir / "gone.txt", dir / "a.txt", calls));
    EXPECT_FALSE(IsSameFile(dir / "a.txt/in.txt", dir / "a.txt", calls));
}

TEST(file_access, a_name_that_cannot_be_examined_refuses_the_written_one) {
    TTempDir dir;
    WriteBytes(dir / "a.txt", "1\r\n");
    const auto failingFor = [](const std::string& failing, int error) {
        TFileCalls calls;
        calls.Stat = [failing, error](const char* path, struct stat* info) {
            return path == failing ? (errno = error, -1) : ::stat(path, info);
        };
        return calls;
    };
    EXPECT_THROW_MSG(IsSameFile(dir / "a.txt", dir / "a.txt", failingFor(dir / "a.txt", EIO)),
                     TEngineError, "Cannot create file " + dir / "a.txt");
    EXPECT_THROW_MSG(IsSameFile(dir / "x.txt", dir / "a.txt", failingFor(dir / "x.txt", ENOMEM)),
                     TEngineError, "Cannot create file " + dir / "a.txt");
    // A folder that may not be searched leads to no file this process could write over.
    EXPECT_FALSE(IsSameFile(dir / "a.txt", dir / "a.txt", failingFor(dir / "a.txt", EACCES)));
    EXPECT_EQ(ReadBytes(dir / "a.txt"), "1\r\n");
}

TEST(file_access, reading_reports_each_failure_by_its_condition) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "1\r\n");
    const auto failingOpen = [](int error) {
        TFileCalls calls;
        calls.Open = [error](const char*, int, mode_t) { return errno = error, -1; };
        return calls;
    };
    EXPECT_THROW_MSG(ReadColumns(dir / "in.txt", TReadMessages::LineReader, failingOpen(EMFILE)),
                     TEngineError, "Too many open files");
    EXPECT_THROW_MSG(ReadColumns(dir / "in.txt", TReadMessages::LineReader, failingOpen(ENFILE)),
                     TEngineError, "Too many open files");
    EXPECT_THROW_MSG(ReadColumns(dir / "in.txt", TReadMessages::LineReader, failingOpen(ENOSPC)),
                     TEngineError, "Disk full");
    EXPECT_THROW_MSG(ReadColumns(dir / "in.txt", TReadMessages::LineReader, failingOpen(EBUSY)),
                     TEngineError, "I/O error " + std::to_string(EBUSY));
    EXPECT_THROW_MSG(PrepareColumnFile(dir / "in.txt", failingOpen(EMFILE)), TEngineError,
                     "Cannot open file " + dir / "in.txt");

    TFileCalls failingRead;
    failingRead.Read = [](int, void*, std::size_t) -> ssize_t { return errno = EIO, -1; };
    EXPECT_THROW_MSG(ReadColumns(dir / "in.txt", TReadMessages::LineReader, failingRead),
                     TEngineError, "I/O error " + std::to_string(EIO));
    TFileCalls failingClose;
    failingClose.Close = [](int fd) { return ::close(fd), errno = EIO, -1; };
    EXPECT_THROW_MSG(ReadColumns(dir / "in.txt", TReadMessages::LineReader, failingClose),
                     TEngineError, "I/O error " + std::to_string(EIO));

    // A file that cannot be examined once open is closed again.
    TFileCalls failingFstat;
    int opened = 0;
    int closed = 0;
    failingFstat.Open = [&opened](const char* path, int flags, mode_t mode) {
        return ++opened, ::open(path, flags, mode);
    };
    failingFstat.Close = [&closed](int fd) { return ++closed, ::close(fd); };
    failingFstat.Fstat = [](int, struct stat*) { return errno = EOVERFLOW, -1; };
    EXPECT_THROW_MSG(ReadColumns(dir / "in.txt", TReadMessages::LineReader, failingFstat),
                     TEngineError, "I/O error " + std::to_string(EOVERFLOW));
    EXPECT_THROW_MSG(ReadColumns(dir / "in.txt", TReadMessages::CannotOpenFile, failingFstat),
                     TEngineError, "Cannot open file " + dir / "in.txt");
    EXPECT_THROW_MSG(PrepareColumnFile(dir / "in.txt", failingFstat), TEngineError,
                     "Cannot open file " + dir / "in.txt");
    EXPECT_EQ(opened, 3);
    EXPECT_EQ(closed, 3);
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
    ASSERT_EQ(ReadWholeFile(dir / "out.txt", bytes, calls), std::error_code());
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
