#include "link/label_table.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(LabelTable, DefaultsAreTheEnglishWordingAtTheirOffsets) {
    LabelTable t = DefaultLabelTable();
    EXPECT_EQ(t.Entry(0), "English");
    EXPECT_EQ(t.Entry(9), "Cash change");
    EXPECT_EQ(t.Entry(35), "Terms");
    EXPECT_EQ(t.Entry(36), "");
    EXPECT_STREQ(reinterpret_cast<const char*>(t.data()) + 2800, "Terms");
    EXPECT_STREQ(reinterpret_cast<const char*>(t.data()) + 1760, "LINE COST");
}

TEST(LabelTable, FetchedTableReplacesEntriesZeroToThirtyFiveOnly) {
    LabelTable working = DefaultLabelTable();
    working.SetEntry(36, "kept");
    LabelTable fetched;
    std::memset(fetched.data(), 'w', labels::kSize);  // no terminators at all
    TakeFetchedLabels(working, fetched);
    EXPECT_EQ(working.Entry(0), std::string(80, 'w'));
    EXPECT_EQ(working.Entry(35), std::string(80, 'w'));
    EXPECT_EQ(working.Entry(36), "kept");
}

}  // namespace
