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

}  // namespace kelvo
