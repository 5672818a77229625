#include "column_file.h"

#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <numeric>
#include <random>

#include "test_support.h"

namespace {

using Lines = std::vector<std::string>;

std::vector<std::string> Columns(const TColumnList& list) {
    std::vector<std::string> columns;
    for (const auto& record : list.Records) {
        columns.push_back(record.Column);
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

Lines Sorted(Lines lines) {
    SortLines(lines);
    return lines;
}

}  // namespace

TEST(column_file, each_line_end_ends_one_line) {
    EXPECT_EQ(CutLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(CutLines("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(CutLines("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(CutLines("a\r\nb"), (Lines{"a", "b"}));
}

TEST(column_file, reversed_and_doubled_line_ends_leave_an_empty_line) {
    EXPECT_EQ(CutLines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(CutLines("a\r\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(CutLines("a\n\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(CutLines("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(column_file, file_ends_give_no_extra_line) {
    EXPECT_EQ(CutLines(""), Lines{});
    EXPECT_EQ(CutLines("\r\n"), Lines{""});
    EXPECT_EQ(CutLines("\n\n"), (Lines{"", ""}));
    EXPECT_EQ(CutLines("  a \t"), Lines{"  a \t"});
}

TEST(column_file, order_is_symbols_digits_letters_with_case_ignored) {
    EXPECT_EQ(Sorted({"X", "2", "1", " ", "-", "!", "~", "0"}),
              (Lines{" ", "!", "-", "~", "0", "1", "2", "X"}));
    EXPECT_EQ(Sorted({"b", "A", "c", "B"}).front(), "A");
    EXPECT_LT(CompareLines("2", "x"), 0);
    EXPECT_LT(CompareLines("9", "a"), 0);
    EXPECT_EQ(CompareLines("x", "X"), 0);
    EXPECT_EQ(CompareLines("1x2", "1X2"), 0);
    EXPECT_LT(CompareLines("Z", "\xc3\xb1"), 0);
    EXPECT_LT(CompareLines("\t", "0"), 0);
}

TEST(column_file, a_beginning_and_the_empty_line_come_first) {
    EXPECT_LT(CompareLines("", " "), 0);
    EXPECT_LT(CompareLines("1X2", "1x2X"), 0);
    EXPECT_EQ(Sorted({"1x2X", "1X2", ""}), (Lines{"", "1X2", "1x2X"}));
}

TEST(column_file, equal_lines_take_the_order_of_the_exchanges) {
    EXPECT_EQ(Sorted({"1x", "1X"}), (Lines{"1X", "1x"}));
    EXPECT_EQ(Sorted({"1X", "1x"}), (Lines{"1x", "1X"}));
    EXPECT_EQ(Sorted({"X1", "x1", "X1 ", "1", "x1"}), (Lines{"1", "x1", "X1", "x1", "X1 "}));
    EXPECT_EQ(Sorted({"x1", "X1", "x1", "X1", "1x", "1X"}),
              (Lines{"1x", "1X", "X1", "x1", "X1", "x1"}));
}

namespace {

// The quicksort in its plain recursive form, as a reference for the order of equal items.
template <class Item, class Compare>
void RecursiveQuickSort(std::vector<Item>& items, int lo, int hi, const Compare& compare) {
    int i = 0;
    do {
        i = lo;
        int j = hi;
        int p = (lo + hi) / 2;
        do {
            while (compare(items[i], items[p]) < 0) {
                ++i;
            }
            while (compare(items[j], items[p]) > 0) {
                --j;
            }
            if (i <= j) {
                std::swap(items[i], items[j]);
                if (p == i) {
                    p = j;
                } else if (p == j) {
                    p = i;
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (lo < j) {
            RecursiveQuickSort(items, lo, j, compare);
        }
        lo = i;
    } while (i < hi);
}

void RecursiveQuickSort(Lines& lines, int lo, int hi) {
    RecursiveQuickSort(lines, lo, hi, [](const std::string& a, const std::string& b) {
        return CompareLines(a, b);
    });
}

// An order of 0..count-1 that drives the quicksort to its worst case, one range level per line:
// McIlroy's adversary, which fixes values only when a comparison needs them and then always
// makes the pivot candidate the largest value left, so the left part takes all but the pivot.
std::vector<int> QuickSortKiller(int count) {
    constexpr int kUnfixed = -1;
    std::vector<int> value(count, kUnfixed);
    std::vector<int> items(count);
    std::iota(items.begin(), items.end(), 0);
    int nextLargest = count - 1;
    int candidate = 0;
    RecursiveQuickSort(items, 0, count - 1, [&](int x, int y) {
        if (value[x] == kUnfixed && value[y] == kUnfixed) {
            value[x == candidate ? x : y] = nextLargest--;
        }
        if (value[x] == kUnfixed) {
            candidate = x;
        } else if (value[y] == kUnfixed) {
            candidate = y;
        }
        return value[x] - value[y];
    });
    for (int& v : value) {
        if (v == kUnfixed) {
            v = nextLargest--;
        }
    }
    return value;
}

// Runs `work` on a thread with a stack of `bytes`.
void OnSmallStack(std::size_t bytes, void (*work)(void*), void* argument) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, bytes);
    struct TCall {
        void (*Work)(void*);
        void* Argument;
    } call{work, argument};
    pthread_t thread;
    ASSERT_EQ(pthread_create(
                  &thread, &attributes,
                  [](void* raw) -> void* {
                      auto* call = static_cast<TCall*>(raw);
                      call->Work(call->Argument);
                      return nullptr;
                  },
                  &call),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

}  // namespace

TEST(column_file, worst_case_order_sorts_on_a_small_stack) {
    // 3000 nested ranges would take a recursive form far past a 64 KiB stack.
    const std::vector<int> killer = QuickSortKiller(3000);
    Lines lines;
    for (const int value : killer) {
        char text[16];
        std::snprintf(text, sizeof text, "%06d", value);
        lines.emplace_back(text);
    }
    OnSmallStack(
        64 << 10, [](void* raw) { SortLines(*static_cast<Lines*>(raw)); }, &lines);
    ASSERT_EQ(lines.size(), 3000u);
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
    EXPECT_EQ(lines.front(), "000000");
    EXPECT_EQ(lines.back(), "002999");
}

TEST(column_file, sort_makes_the_exchanges_of_the_recursive_quicksort) {
    std::mt19937 random(7);
    const std::string signs = "1xX2";
    for (int round = 0; round < 300; ++round) {
        Lines lines(1 + random() % 60);
        for (auto& line : lines) {
            line.resize(random() % 4);
            for (auto& sign : line) {
                sign = signs[random() % signs.size()];
            }
        }
        Lines expected = lines;
        if (expected.size() >= 2) {
            RecursiveQuickSort(expected, 0, static_cast<int>(expected.size()) - 1);
        }
        SortLines(lines);
        ASSERT_EQ(lines, expected) << "round " << round;
    }
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
    const TColumnList list = LoadColumns(dir / "in.txt");
    EXPECT_EQ(Columns(list), (Lines{"1X2", "11111111111111",
                                    "\xa0"
                                    "1 2\xff",
                                    "", "1X"}));
    for (int k = 0; k < list.Count(); ++k) {
        EXPECT_EQ(list.Records[k].Id, k + 1);
        EXPECT_TRUE(list.Records[k].Neighbours.empty());
    }
}

TEST(column_file, empty_file_loads_as_one_empty_record) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "");
    EXPECT_EQ(Columns(LoadColumns(dir / "in.txt")), Lines{""});
    WriteBytes(dir / "in.txt", "\r\n");
    EXPECT_EQ(Columns(LoadColumns(dir / "in.txt")), Lines{""});
}

TEST(column_file, text_end_mark_at_a_line_start_ends_loading) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines({"1", "2",
                                          "\x1a"
                                          "3",
                                          "4"}));
    EXPECT_EQ(Columns(LoadColumns(dir / "in.txt")), (Lines{"1", "2"}));
    WriteBytes(dir / "in.txt", CrLfLines({"\x1a", "1"}));
    EXPECT_EQ(Columns(LoadColumns(dir / "in.txt")), Lines{""});
    WriteBytes(dir / "in.txt", CrLfLines({"1\x1a"
                                          "2",
                                          "3"}));
    EXPECT_EQ(Columns(LoadColumns(dir / "in.txt")), (Lines{"1\x1a"
                                                           "2",
                                                           "3"}));
}

TEST(column_file, identical_lines_give_consecutive_records) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines({"1X", "1X"}));
    const TColumnList list = LoadColumns(dir / "in.txt");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Records[0].Column, list.Records[1].Column);
    EXPECT_EQ(list.Records[1].Id, 2);
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
    EXPECT_THROW_MSG(LoadColumns(dir / "fifo.txt"), TEngineError, "File access denied");
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
    EXPECT_THROW_MSG(LoadColumns(dir / "nope.txt"), TEngineError, "File not found");
    EXPECT_THROW_MSG(LoadColumns(""), TEngineError, "File not found");
    EXPECT_THROW_MSG(LoadColumns(dir.Path().string()), TEngineError, "File access denied");
    EXPECT_THROW_MSG(LoadColumns(dir / std::string(300, 'a')), TEngineError, "Invalid filename");
}

namespace {

// A write call that fails at its `failAt`-th call (1-based), after writing half of what that
// call was given when `shortFirst` is set.
TWriteCall FailingWrite(int failAt, int& calls, bool shortFirst = false) {
    return [failAt, &calls, shortFirst](int fd, const void* data, std::size_t size) -> ssize_t {
        if (++calls < failAt) {
            return SystemWrite(fd, data, size);
        }
        if (shortFirst && calls == failAt) {
            return SystemWrite(fd, data, size / 2);
        }
        errno = ENOSPC;
        return -1;
    };
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
        PrepareColumnFile(dir / "in.txt", [&](int fd, const void* data, std::size_t size) {
            ++pieces;
            return SystemWrite(fd, data, size);
        });
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
    EXPECT_THROW_MSG(LoadColumns(dir / "in.txt"), TEngineError, "File not found");
    std::filesystem::create_directory(dir / "in.txt");
    EXPECT_THROW_MSG(LoadColumns(dir / "in.txt"), TEngineError, "File access denied");
    std::filesystem::remove(dir / "in.txt");
    WriteBytes(dir / "in.txt", "no line end, lone \r inside");
    ASSERT_EQ(LoadColumns(dir / "in.txt").Count(), 1);
    EXPECT_EQ(LoadColumns(dir / "in.txt").Records[0].Column, "no line end, l");
}

TEST(column_file, devices_and_impossible_paths_are_never_read) {
    EXPECT_THROW_MSG(PrepareColumnFile("/dev/zero"), TEngineError, "Cannot open file /dev/zero");
    EXPECT_THROW_MSG(LoadColumns("/dev/zero"), TEngineError, "File access denied");
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
    const TColumnList list = LoadColumns(dir / "in.txt");
    EXPECT_EQ(list.Records[1].Column,
              "\xef\xbb\xbf"
              "11111111111");
}

TEST(column_file, one_line_of_a_hundred_megabytes) {
    TTempDir dir;
    std::string line(100 << 20, '1');
    line[5] = 'X';
    WriteBytes(dir / "in.txt", line);
    EXPECT_EQ(PrepareColumnFile(dir / "in.txt"), 1);
    EXPECT_EQ(std::filesystem::file_size(dir / "in.txt"), line.size() + 2);
    const TColumnList list = LoadColumns(dir / "in.txt");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Records[0].Column, "11111X11111111");
}
