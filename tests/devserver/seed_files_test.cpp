#include "shop/seed_files.h"

#include <gtest/gtest.h>

#include "shop/rules.h"
#include "shop_test_support.h"

namespace {

using shop::text::Block;

// The blocks of a file's content; error is "parsed" or "line N: reason".
std::vector<Block> Parse(const std::string& content, std::string& error) {
    std::vector<Block> blocks;
    if (shop::text::ParseBlocks(content, blocks, error)) error = "parsed";
    return blocks;
}

TEST(BlockFormat, EscapesCodePage1252NumbersAndMistakesWithTheirLine) {
    std::string error;
    for (std::string value : {"plain", " edge blanks ", "a\\nb", "tab\there\r\nnew line", "back\\slash\\", " "})
        EXPECT_EQ(Parse("[x]\nk = " + shop::text::Escape(value) + "\n", error).at(0).entries.at(0).value, value);
    EXPECT_EQ(shop::text::Utf8ToAnsi("£ Zoë €5 – ok, 日本, bad \xC3"), "\xA3 Zo\xEB \x80" "5 \x96 ok, ??, bad ?");
    for (auto [text, number] : {std::pair<const char*, std::optional<std::int64_t>>{" -42 ", -42}, {"+7", 7},
                                {"12abc", std::nullopt}, {"", std::nullopt}, {"99999999999999999999", std::nullopt},
                                {"+-5", std::nullopt}})
        EXPECT_EQ(shop::text::ParseInt(text), number) << '"' << text << '"';
    for (const char* text : {"+-1.5", "nan", "-inf"}) EXPECT_FALSE(shop::text::ParseDouble(text)) << text;

    const std::pair<const char*, const char*> rows[] = {  // {the file, its error}
        {"[a]\nno equals sign\n", "line 2: expected 'key = value'"}, {"[a\n", "line 1: header without ']'"},
        {"\n# c\nx = 1\n", "line 3: value before the first [header]"}, {"[a]\n[ ]\n", "line 2: empty header"},
        {"[a]\n = 3\n", "line 2: empty key"},
    };
    for (const auto& [text, expected] : rows) EXPECT_EQ((Parse(text, error), error), expected);
    EXPECT_EQ((Parse(std::string("[a]\nname = Lon\0don\n", 19), error), error), "line 2: NUL byte");
}

bool ParseItem(const std::string& text, shop::Item& item, std::string& error) {
    TerminalConfig c;
    ApplyDefaults(c, shoptest::FixedTime());
    std::vector<Block> blocks = Parse(text, error);
    return !blocks.empty() && shop::ParseItemBlock(blocks.at(0), shop::CategoryCodesOf(c), item, error);
}

TEST(ItemBlocks, MistakesAreRefusedWithTheirLine) {
    const std::pair<const char*, const char*> rows[] = {  // {the block, the error}
        {"[item 1]\ndescription = x\ncolour = red\n", "line 3 (colour): unknown key"},
        {"[item 1]\ndescription = x\ncategory = XYZ\n", "line 3 (category): unknown category"},
        {"[item 1]\ndescription = x\ncategory = 18\n", "line 3 (category): unknown category"},
        {"[item 1]\ndescription = x\nstock = many\n", "line 3 (stock): not a whole number"},
        {"[item 1]\ndescription = x\nprice = 1,5\n", "line 3 (price): not a number"},
        {"[item 1]\ndescription = x\nstock = 3000000000\n", "line 3 (stock): out of range"},
        {"[item 1]\ndescription = 0123456789012345678901234567890123456789\n",
         "line 2 (description): longer than 39 characters"},
        {"[item 1]\ndescription = x\nsku = 1\nsku = 2\nsku = 3\nsku = 4\nsku = 5\n",
         "line 7 (sku): at most four SKUs of 1 to 39 characters"},
        {"[item 1]\ndescription = x\ncomponent = 5 y2\n", "line 3 (component): expected 'number [xQUANTITY] [mode M]'"},
        {"[item 1]\ndescription = x\ncomponent = 5 x1001\n",
         "line 3 (component): expected 'number [xQUANTITY] [mode M]'"},
        {"[item 0]\ndescription = x\n", "line 1: [item 0] needs a number from 1 to 10^17"},
        {"\n[item 1]\nprice = 1\n", "line 2: item 1 has no description"},
        {"[item 1]\ndescription = x\ntax = 4\n", "line 1: item 1: tax code 0 to 3"},
    };
    for (const auto& [text, expected] : rows) {
        shop::Item item;
        std::string error;
        EXPECT_FALSE(ParseItem(text, item, error)) << text;
        EXPECT_EQ(error, expected);
    }
    auto kit = [](std::int64_t n, const char* part) {
        shop::Item item = shoptest::MakeItem(n, "kit", 12);
        item.components[0] = {part, 0, 1};
        return item;
    };
    const std::pair<shop::Inventory, const char*> kits[] = {  // every component an item, no kit inside itself
        {shoptest::InventoryOf({shoptest::MakeItem(1, "a", 0), kit(2, "1"), kit(3, "2")}), ""},  // a kit in a kit
        {shoptest::InventoryOf({kit(2, "7")}), "kit 2: component 7 is no item"},
        {shoptest::InventoryOf({kit(2, "3"), kit(3, "4"), kit(4, "2")}), "kit 2 contains itself"},
        {shoptest::InventoryOf({kit(2, "2")}), "kit 2 contains itself"},
    };
    for (const auto& [items, expected] : kits) {
        std::string error;
        EXPECT_EQ(shop::CheckKits(items, error), *expected == 0) << expected;
        EXPECT_EQ(error, expected);
    }
}

TEST(ShopBlock, ValuesLandInTheirFieldsAndMistakesNameTheirLine) {
    TerminalConfig c;
    ApplyDefaults(c, shoptest::FixedTime());
    std::string error;
    ASSERT_TRUE(shop::ApplyShopBlock(
        Parse("[shop]\nheader 1 = CORNER\nheader 6 = six\ncurrency = \xC2\xA3\noption 33 = 1750\nswitch 199 = 18\n"
              "amount 99 = 99.5\nassociate 100 = Olena\npassword 99 = 3031\ncategory 8 = ODD\ncategory 9 = BKS\n"
              "term_discount 9 = 98\nnoninventory_caption 4 = Misc\nshop_text 2 = Reg 1\n"
              "int64 3512 = 5000000000\ntext 560 20 = free text\n", error).at(0), c, error)) << error;
    EXPECT_EQ(c.HeaderText(0) + "|" + c.HeaderText(5) + "|" + c.Text(cfg::kCurrencySign, 6), "CORNER|six|\xA3");
    EXPECT_EQ(std::tuple(c.Option(33), c.Switch(199), c.Amount(99)), std::tuple(1750, 18, 99.5));
    EXPECT_EQ(c.AssociateName(100) + "|" + c.AssociatePassword(99), "Olena|3031");
    EXPECT_EQ(c.CategoryCode(7) + c.CategoryCode(8) + c.CategoryCode(9) + c.CategoryCode(10), "DRIODDBKSFRU")
        << "the last low and first high codes, neighbours untouched";
    EXPECT_EQ(std::pair(c.Int32(cfg::kTermCodes + 4 * 9), c.Int64(3512)), std::pair(98, std::int64_t{5000000000}));
    EXPECT_EQ(c.Text(cfg::kNonInventoryCaptions + 3 * cfg::kNonInventoryCaptionWidth, 80) + "|" + c.Text(560, 20) +
              "|" + c.Text(cfg::kShopTexts + cfg::kShopTextWidth, cfg::kShopTextWidth), "Misc|free text|Reg 1");

    for (const std::string line : {"header 9 = x", "option 60 = 1", "switch 200 = 1", "switch 1 = 9999999999",
                             "associate 0 = x", "password 100 = 1", "category 18 = ABC", "category 1 = ABCD",
                             "tax1_name = TOOLONG", "int32 14935 = 1", "text 14930 20 = x", "colour = red",
                             "currency = DOLLAR", "second_currency = DOLLAR", "amount 100 = 1", "amount 1 = x",
                             "term_discount 0 = 1", "noninventory_caption 5 = x", "shop_text 4 = x",
                             "transaction_number = 9999999999", "trade_percentage = lots", "double 8 = x",
                             "int32 8 = 9999999999", "pole_idle = 0123456789abcdef0123456789abcdef",
                             "text 9223372036854775807 9223372036854775807 = x"}) {
        EXPECT_FALSE(shop::ApplyShopBlock(Parse("[shop]\n" + line + "\n", error).at(0), c, error)) << line;
        const std::string key = line.substr(0, line.find(" ="));
        EXPECT_EQ(error.rfind("line 2 (" + key + "): ", 0), 0u) << line << " gave: " << error;
    }
}

}  // namespace
