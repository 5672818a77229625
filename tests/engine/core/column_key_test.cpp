#include "core/column_key.h"

#include "test_support.h"

namespace kelvo {

TEST(column_key, a_column_and_its_key_determine_each_other) {
    for (const std::string column :
         {"", "1", "1X2", "11111111111111", "\xff\x01 x", "2X2X2X2X2X2X2X"}) {
        EXPECT_EQ(ColumnText(MakeKey(column)), column);
    }
    EXPECT_EQ(ColumnText(MakeKey("1111111111111122")), "11111111111111");
    EXPECT_NE(MakeKey("1x"), MakeKey("1X"));
    EXPECT_EQ(ByteAt(MakeKey("1X2"), 1), static_cast<unsigned>('X'));
    EXPECT_EQ(ByteAt(MakeKey("1X2"), 13), 0u);
    EXPECT_EQ(ByteAt(MakeKey("1111111111111X"), 13), static_cast<unsigned>('X'));
}

TEST(column_key, a_lower_case_x_folds_to_the_draw_and_every_other_byte_stays) {
    EXPECT_EQ(FoldSign('x'), 'X');
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != 'x') {
            EXPECT_EQ(FoldSign(static_cast<char>(byte)), static_cast<char>(byte)) << byte;
        }
    }
}

TEST(column_key, set_byte_at_changes_that_position_alone) {
    TKey key = MakeKey("1X21X21X21X21X");
    SetByteAt(key, 0, '2');
    SetByteAt(key, 7, 0);
    SetByteAt(key, 8, 'x');
    SetByteAt(key, 13, 0xff);
    EXPECT_EQ(key, MakeKey(std::string("2X21X21\0x1X21\xff", kColumnLength)));
}

}  // namespace kelvo
