#include "files/column_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "test_support.h"

namespace kelvo {

namespace {

using Lines = std::vector<std::string>;
using Views = std::vector<std::string_view>;

Lines Columns(const TColumnList& list) {
    Lines columns;
    for (const TKey& column : list.Columns) {
        columns.push_back(ColumnText(column));
    }
    return columns;
}

// The bytes a file holding `bytes` is rewritten to.
std::string Prepared(const std::string& bytes) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", bytes);
    PrepareColumnFile(dir / "in.txt");
    return ReadBytes(dir / "in.txt");
}

}  // namespace

TEST(column_file, each_line_end_ends_one_line) {
    EXPECT_EQ(CutLines("a\r\nb\r\n"), (Views{"a", "b"}));
    EXPECT_EQ(CutLines("a\nb\n"), (Views{"a", "b"}));
    EXPECT_EQ(CutLines("a\rb\r"), (Views{"a", "b"}));
    EXPECT_EQ(CutLines("a\r\nb"), (Views{"a", "b"}));
}

TEST(column_file, reversed_and_doubled_line_ends_leave_an_empty_line) {
    EXPECT_EQ(CutLines("a\n\rb"), (Views{"a", "", "b"}));
    EXPECT_EQ(CutLines("a\r\rb"), (Views{"a", "", "b"}));
    EXPECT_EQ(CutLines("a\n\nb"), (Views{"a", "", "b"}));
    EXPECT_EQ(CutLines("a\r\r\nb"), (Views{"a", "", "b"}));
}

TEST(column_file, file_ends_give_no_extra_line) {
    EXPECT_EQ(CutLines(""), Views{});
    EXPECT_EQ(CutLines("\r\n"), Views{""});
    EXPECT_EQ(CutLines("\n\n"), (Views{"", ""}));
    EXPECT_EQ(CutLines("  a \t"), Views{"  a \t"});
}

TEST(column_file, worked_example_is_rewritten_sorted_with_crlf) {
    EXPECT_EQ(Prepared("11111111111122\n1111111111111X\r11111111111111"),
              CrLfLines({"11111111111111", "1111111111111X", "11111111111122"}));
}

TEST(column_file, sorted_crlf_file_is_rewritten_byte_for_byte) {
    const std::string bytes = CrLfLines({"", " 1", "1111", "11112", "1X", "2", "Xb", "\xe1"});
    EXPECT_EQ(Prepared(bytes), bytes);
}

TEST(column_file, rewrite_keeps_blanks_long_lines_and_gains_empty_lines) {
    EXPECT_EQ(Prepared("  X111 \n11111111111111111111\r\n\n\r2"),
              CrLfLines({"", "", "  X111 ", "11111111111111111111", "2"}));
}

TEST(column_file, rewrite_returns_the_line_count) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "1\n2\n\n3");
    EXPECT_EQ(PrepareColumnFile(dir / "in.txt"), 4);
    WriteBytes(dir / "empty.txt", "");
    EXPECT_EQ(PrepareColumnFile(dir / "empty.txt"), 0);
    EXPECT_EQ(ReadBytes(dir / "empty.txt"), "");
}

TEST(column_file, records_are_trimmed_and_cut_to_fourteen_signs) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines({" \t1X2\x01", "11111111111111111111",
                                          "\xa0"
                                          "1 2\xff",
                                          "   ", "1X"}));
    const TColumnList list = ReadColumns(dir / "in.txt", TReadMessages::LineReader);
    EXPECT_EQ(Columns(list), (Lines{"1X2", "11111111111111",
                                    "\xa0"
                                    "1 2\xff",
                                    "", "1X"}));
    EXPECT_EQ(list.Count(), 5);
}

TEST(column_file, empty_file_loads_as_one_empty_record) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "");
    EXPECT_EQ(Columns(ReadColumns(dir / "in.txt", TReadMessages::LineReader)), Lines{""});
    WriteBytes(dir / "in.txt", "\r\n");
    EXPECT_EQ(Columns(ReadColumns(dir / "in.txt", TReadMessages::LineReader)), Lines{""});
}

TEST(column_file, text_end_mark_at_a_line_start_ends_loading) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines({"1", "2",
                                          "\x1a"
                                          "3",
                                          "4"}));
    EXPECT_EQ(Columns(ReadColumns(dir / "in.txt", TReadMessages::LineReader)), (Lines{"1", "2"}));
    WriteBytes(dir / "in.txt", CrLfLines({"\x1a", "1"}));
    EXPECT_EQ(Columns(ReadColumns(dir / "in.txt", TReadMessages::LineReader)), Lines{""});
    WriteBytes(dir / "in.txt", CrLfLines({"1\x1a"
                                          "2",
                                          "3"}));
    EXPECT_EQ(Columns(ReadColumns(dir / "in.txt", TReadMessages::LineReader)), (Lines{"1\x1a"
                                                                                      "2",
                                                                                      "3"}));
}

TEST(column_file, identical_lines_give_consecutive_records) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines({"1X", "1X"}));
    const TColumnList list = ReadColumns(dir / "in.txt", TReadMessages::LineReader);
    EXPECT_EQ(Columns(list), (Lines{"1X", "1X"}));
}

TEST(column_file, saved_lines_each_end_in_crlf) {
    TTempDir dir;
    SaveColumns({"1X2", "", "X"}, dir / "out.txt");
    EXPECT_EQ(ReadBytes(dir / "out.txt"), "1X2\r\n\r\nX\r\n");
    SaveColumns({}, dir / "out.txt");
    EXPECT_EQ(ReadBytes(dir / "out.txt"), "");
    EXPECT_EQ(dir.Entries(), Lines{"out.txt"});
}

TEST(column_file, failures_name_the_file) {
    TTempDir dir;
    EXPECT_THROW_MSG(PrepareColumnFile(dir / "nope.txt"), TEngineError,
                     "Cannot open file " + dir / "nope.txt");
    EXPECT_THROW_MSG(PrepareColumnFile(""), TEngineError, "Cannot open file ");
    EXPECT_THROW_MSG(PrepareColumnFile(dir.Path().string()), TEngineError,
                     "Cannot open file " + dir.Path().string());
    EXPECT_THROW_MSG(SaveColumns({"1"}, dir / "missing/out.txt"), TEngineError,
                     "Cannot create file " + dir / "missing/out.txt");
    EXPECT_THROW_MSG(SaveColumns({"1"}, dir.Path().string()), TEngineError,
                     "Cannot create file " + dir.Path().string());
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(column_file, fifo_is_refused_without_reading) {
    TTempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo.txt").c_str(), 0600), 0);
    EXPECT_THROW_MSG(PrepareColumnFile(dir / "fifo.txt"), TEngineError,
                     "Cannot open file " + dir / "fifo.txt");
    EXPECT_THROW_MSG(ReadColumns(dir / "fifo.txt", TReadMessages::LineReader), TEngineError,
                     "File access denied");
}

TEST(column_file, read_only_input_fails_at_the_rewrite_and_stays_untouched) {
    TTempDir dir;
    const std::string unsorted = "2\n1\n";
    WriteBytes(dir / "in.txt", unsorted);
    ::chmod((dir / "in.txt").c_str(), 0444);
    EXPECT_THROW_MSG(PrepareColumnFile(dir / "in.txt"), TEngineError,
                     "Cannot create file " + dir / "in.txt");
    EXPECT_EQ(ReadBytes(dir / "in.txt"), unsorted);
    EXPECT_EQ(dir.Entries(), Lines{"in.txt"});
}

TEST(column_file, file_with_zero_bytes_is_refused_untouched) {
    TTempDir dir;
    const std::string utf16("1\0X\0\r\0\n\0", 8);
    WriteBytes(dir / "in.txt", utf16);
    EXPECT_THROW_MSG(PrepareColumnFile(dir / "in.txt"), TEngineError,
                     "File " + dir / "in.txt" + " holds zero bytes and is not a column file");
    EXPECT_EQ(ReadBytes(dir / "in.txt"), utf16);
}

TEST(column_file, rewrite_keeps_permission_bits_and_leaves_no_temporary_file) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "2\n1\n");
    ::chmod((dir / "in.txt").c_str(), 0640);
    PrepareColumnFile(dir / "in.txt");
    struct stat info {};
    ASSERT_EQ(::stat((dir / "in.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.Entries(), Lines{"in.txt"});
}

TEST(column_file, symlinked_input_keeps_its_link) {
    TTempDir dir;
    WriteBytes(dir / "real.txt", "2\n1\n");
    std::filesystem::create_symlink("real.txt", dir / "link.txt");
    PrepareColumnFile(dir / "link.txt");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
    EXPECT_EQ(ReadBytes(dir / "real.txt"), "1\r\n2\r\n");
    EXPECT_EQ(dir.Entries(), (Lines{"link.txt", "real.txt"}));
}

TEST(column_file, line_reader_reports_by_condition) {
    TTempDir dir;
    EXPECT_THROW_MSG(ReadColumns(dir / "nope.txt", TReadMessages::LineReader), TEngineError,
                     "File not found");
    EXPECT_THROW_MSG(ReadColumns("", TReadMessages::LineReader), TEngineError, "File not found");
    EXPECT_THROW_MSG(ReadColumns(dir.Path().string(), TReadMessages::LineReader), TEngineError,
                     "File access denied");
    EXPECT_THROW_MSG(ReadColumns(dir / std::string(300, 'a'), TReadMessages::LineReader),
                     TEngineError, "Invalid filename");
}

namespace {

// File calls whose write fails at its `failAt`-th call (1-based), after writing half of what
// that call was given when `shortFirst` is set.
TFileCalls FailingWrite(int failAt, int& calls, bool shortFirst = false) {
    TFileCalls files;
    files.Write = [failAt, &calls, shortFirst](int fd, const void* data,
                                               std::size_t size) -> ssize_t {
        if (++calls < failAt) {
            return ::write(fd, data, size);
        }
        if (shortFirst && calls == failAt) {
            return ::write(fd, data, size / 2);
        }
        errno = ENOSPC;
        return -1;
    };
    return files;
}

// About four write pieces of unsorted columns.
std::string LargeUnsorted() {
    std::string bytes;
    for (int k = 16000; k > 0; --k) {
        bytes += "1X2" + std::to_string(100000 + k) + "1X2X\n";
    }
    return bytes;
}

}  // namespace

TEST(column_file, failed_rewrite_keeps_the_input_byte_for_byte) {
    const std::string original = LargeUnsorted();
    int pieces = 0;
    {
        TTempDir dir;
        WriteBytes(dir / "in.txt", original);
        TFileCalls counting;
        counting.Write = [&pieces](int fd, const void* data, std::size_t size) {
            ++pieces;
            return ::write(fd, data, size);
        };
        PrepareColumnFile(dir / "in.txt", counting);
    }
    ASSERT_GE(pieces, 3);
    for (const int failAt : {1, pieces / 2, pieces}) {
        for (const bool shortFirst : {false, true}) {
            TTempDir dir;
            WriteBytes(dir / "in.txt", original);
            int calls = 0;
            EXPECT_THROW_MSG(
                PrepareColumnFile(dir / "in.txt", FailingWrite(failAt, calls, shortFirst)),
                TEngineError, "Stream write error");
            EXPECT_EQ(ReadBytes(dir / "in.txt"), original) << "failing write " << failAt;
            EXPECT_EQ(dir.Entries(), Lines{"in.txt"});
        }
    }
}

TEST(column_file, failed_save_keeps_an_existing_file) {
    TTempDir dir;
    WriteBytes(dir / "out.txt", "old\r\n");
    int calls = 0;
    EXPECT_THROW_MSG(SaveColumns({"1", "2"}, dir / "out.txt", FailingWrite(1, calls)), TEngineError,
                     "Stream write error");
    EXPECT_EQ(ReadBytes(dir / "out.txt"), "old\r\n");
    calls = 0;
    EXPECT_THROW_MSG(SaveColumns({"1"}, dir / "new.txt", FailingWrite(1, calls)), TEngineError,
                     "Stream write error");
    EXPECT_EQ(dir.Entries(), Lines{"out.txt"});
}

TEST(column_file, input_gone_or_replaced_after_the_rewrite_gives_a_reader_message) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "2\n1\n");
    PrepareColumnFile(dir / "in.txt");
    std::filesystem::remove(dir / "in.txt");
    EXPECT_THROW_MSG(ReadColumns(dir / "in.txt", TReadMessages::LineReader), TEngineError,
                     "File not found");
    std::filesystem::create_directory(dir / "in.txt");
    EXPECT_THROW_MSG(ReadColumns(dir / "in.txt", TReadMessages::LineReader), TEngineError,
                     "File access denied");
    std::filesystem::remove(dir / "in.txt");
    WriteBytes(dir / "in.txt", "no line end, lone \r inside");
    EXPECT_EQ(Columns(ReadColumns(dir / "in.txt", TReadMessages::LineReader)),
              Lines{"no line end, l"});
}

TEST(column_file, devices_and_impossible_paths_are_never_read) {
    EXPECT_THROW_MSG(PrepareColumnFile("/dev/zero"), TEngineError, "Cannot open file /dev/zero");
    EXPECT_THROW_MSG(ReadColumns("/dev/zero", TReadMessages::LineReader), TEngineError,
                     "File access denied");
    const std::string longPath = "/tmp/" + std::string(5000, 'a') + ".txt";
    EXPECT_THROW_MSG(PrepareColumnFile(longPath), TEngineError, "Cannot open file " + longPath);
    EXPECT_THROW_MSG(SaveColumns({"1"}, longPath), TEngineError, "Cannot create file " + longPath);
    EXPECT_THROW_MSG(PrepareColumnFile("/tmp/no-such-folder-kelvo/in.txt"), TEngineError,
                     "Cannot open file /tmp/no-such-folder-kelvo/in.txt");
}

TEST(column_file, byte_order_mark_belongs_to_the_first_line) {
    TTempDir dir;
    WriteBytes(dir / "in.txt",
               "\xef\xbb\xbf"
               "11111111111111\r\n1X\r\n");
    PrepareColumnFile(dir / "in.txt");
    EXPECT_EQ(ReadBytes(dir / "in.txt"),
              "1X\r\n\xef\xbb\xbf"
              "11111111111111\r\n");
    EXPECT_EQ(Columns(ReadColumns(dir / "in.txt", TReadMessages::LineReader)),
              (Lines{"1X",
                     "\xef\xbb\xbf"
                     "11111111111"}));
}

TEST(column_file, one_line_of_a_hundred_megabytes) {
    TTempDir dir;
    std::string line(100 << 20, '1');
    line[5] = 'X';
    WriteBytes(dir / "in.txt", line);
    EXPECT_EQ(PrepareColumnFile(dir / "in.txt"), 1);
    EXPECT_EQ(std::filesystem::file_size(dir / "in.txt"), line.size() + 2);
    EXPECT_EQ(Columns(ReadColumns(dir / "in.txt", TReadMessages::LineReader)),
              Lines{"11111X11111111"});
}

}  // namespace kelvo
