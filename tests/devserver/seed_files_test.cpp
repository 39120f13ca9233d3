#include "shop/seed_files.h"

#include <gtest/gtest.h>

#include <set>

#include "shop/rules.h"
#include "shop_test_support.h"

namespace {

namespace fs = std::filesystem;
using shop::text::Block;

std::vector<Block> Parse(const std::string& content) {
    std::vector<Block> blocks;
    std::string error;
    EXPECT_TRUE(shop::text::ParseBlocks(content, blocks, error)) << error;
    return blocks;
}

std::string ParseError(const std::string& content) {
    std::vector<Block> blocks;
    std::string error;
    EXPECT_FALSE(shop::text::ParseBlocks(content, blocks, error)) << content;
    return error;
}

// ---- The block format -------------------------------------------------------------------

TEST(BlockFormat, HeadersKeysRepeatsAndComments) {
    auto blocks = Parse("\xEF\xBB\xBF# comment\n\n[item 12]\r\n  sku = 1 \nsku=2\n#x = y\n[labels]\nkey with space = a = b\n");
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].kind, "item");
    EXPECT_EQ(blocks[0].id, "12");
    EXPECT_EQ(blocks[0].line, 3);
    ASSERT_EQ(blocks[0].entries.size(), 2u);
    EXPECT_EQ(blocks[0].entries[0].value, "1");
    EXPECT_EQ(blocks[0].entries[1].value, "2");
    EXPECT_EQ(blocks[0].entries[1].line, 5);
    EXPECT_EQ(blocks[1].id, "");
    EXPECT_EQ(blocks[1].entries[0].key, "key with space");
    EXPECT_EQ(blocks[1].entries[0].value, "a = b") << "only the first '=' splits";
}

TEST(BlockFormat, MalformedLinesNameTheirLine) {
    EXPECT_EQ(ParseError("[a]\nno equals sign\n"), "line 2: expected 'key = value'");
    EXPECT_EQ(ParseError("x = 1\n"), "line 1: value before the first [header]");
    EXPECT_EQ(ParseError("[a\n"), "line 1: header without ']'");
    EXPECT_EQ(ParseError("[a]\n = 3\n"), "line 2: empty key");
}

TEST(BlockFormat, EscapesRoundTripEveryAwkwardValue) {
    for (std::string value : {std::string("plain"), std::string(" leading and trailing "), std::string("a\\nb"),
                              std::string("tab\there\r\nnew line"), std::string("back\\slash\\"), std::string(" ")}) {
        std::string line = "[x]\nk = " + shop::text::Escape(value) + "\n";
        auto blocks = Parse(line);
        ASSERT_EQ(blocks[0].entries.size(), 1u);
        EXPECT_EQ(blocks[0].entries[0].value, value) << line;
    }
}

TEST(BlockFormat, CodePage1252ConversionBothWays) {
    EXPECT_EQ(shop::text::Utf8ToAnsi("£ Zoë €5 – ok"), "\xA3 Zo\xEB \x80" "5 \x96 ok");
    EXPECT_EQ(shop::text::AnsiToUtf8("\xA3 Zo\xEB \x80" "5 \x96 ok"), "£ Zoë €5 – ok");
    EXPECT_EQ(shop::text::Utf8ToAnsi("日本"), "??") << "characters 1252 lacks";
    EXPECT_EQ(shop::text::Utf8ToAnsi("bad \xC3"), "bad ?") << "a cut sequence";
    std::string every;
    for (int b = 1; b < 256; ++b) every += static_cast<char>(b);
    EXPECT_EQ(shop::text::Utf8ToAnsi(shop::text::AnsiToUtf8(every)), every);
}

TEST(BlockFormat, StrictNumbers) {
    EXPECT_EQ(shop::text::ParseInt(" -42 "), -42);
    EXPECT_EQ(shop::text::ParseInt("+7"), 7);
    EXPECT_FALSE(shop::text::ParseInt("12abc"));
    EXPECT_FALSE(shop::text::ParseInt(""));
    EXPECT_EQ(shop::text::ParseDouble("9.99"), 9.99);
    EXPECT_FALSE(shop::text::ParseDouble("9,99"));
    for (double v : {0.1, 1234.5678, -0.0000123, 1e17})
        EXPECT_EQ(shop::text::ParseDouble(shop::text::FormatDouble(v)), v);
}

TEST(LeadingNumber, ReadsLikeTheCLibrary) {
    EXPECT_EQ(shop::LeadingNumber("12abc"), 12);
    EXPECT_EQ(shop::LeadingNumber("  7 "), 7);
    EXPECT_EQ(shop::LeadingNumber("-5"), -5);
    EXPECT_EQ(shop::LeadingNumber("abc"), 0);
    EXPECT_EQ(shop::LeadingNumber(""), 0);
    EXPECT_EQ(shop::LeadingNumber("99999999999999999999"), INT64_MAX);
}

// ---- Items ------------------------------------------------------------------------------

shop::CategoryCodes DefaultCodes() {
    TerminalConfig c;
    ApplyDefaults(c, shoptest::FixedTime());
    return shop::CategoryCodesOf(c);
}

bool ParseItem(const std::string& text, shop::Item& item, std::string& error) {
    std::vector<Block> blocks;
    if (!shop::text::ParseBlocks(text, blocks, error)) return false;
    return shop::ParseItemBlock(blocks.at(0), DefaultCodes(), item, error);
}

TEST(ItemBlocks, EveryKindOfValue) {
    shop::Item item;
    std::string error;
    ASSERT_TRUE(ParseItem("[item 3003]\ndescription = Party Pack\ncategory = WIN\nprice = 9.5\ntax = 2\n"
                          "sku = A\nsku = B\ncomponent = 3002\ncomponent = 1102 x2\ncomponent = 2401 x1 mode 2\n"
                          "age_limit = 18\noffer = 4\nown_picture = 1\nnotes = caf\xC3\xA9\n",
                          item, error))
        << error;
    EXPECT_EQ(item.number, 3003);
    EXPECT_EQ(item.category, 17);
    EXPECT_EQ(item.price, 9.5);
    EXPECT_EQ(item.taxCode, 2);
    EXPECT_EQ(item.skus[1], "B");
    EXPECT_EQ(item.skus[2], "");
    EXPECT_EQ(item.components[0], (shop::KitComponent{"3002", 0, 1}));
    EXPECT_EQ(item.components[1], (shop::KitComponent{"1102", 0, 2}));
    EXPECT_EQ(item.components[2], (shop::KitComponent{"2401", 2, 1}));
    EXPECT_EQ(item.kitFlag, shop::kKitFlag) << "components make a kit";
    EXPECT_EQ(item.ageLimit, 18);
    EXPECT_EQ(item.offerRule, 4);
    EXPECT_EQ(shop::PictureName(item), "m3003.bmp");
    EXPECT_EQ(item.notes, "caf\xE9");

    ASSERT_TRUE(ParseItem("[item 5]\ndescription = x\ncategory = 9\nstock_picture = 4\n", item, error)) << error;
    EXPECT_EQ(item.category, 9);
    EXPECT_EQ(item.kitFlag, 0);
    EXPECT_EQ(shop::PictureName(item), "STOCK4.bmp");
}

TEST(ItemBlocks, MistakesAreRefusedWithTheirLine) {
    shop::Item item;
    std::string error;
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"[item 1]\ndescription = x\ncolour = red\n", "line 3 (colour): unknown key"},
        {"[item 1]\ndescription = x\ncategory = XYZ\n", "line 3 (category): unknown category"},
        {"[item 1]\ndescription = x\nstock = many\n", "line 3 (stock): not a whole number"},
        {"[item 1]\ndescription = x\nstock = 3000000000\n", "line 3 (stock): out of range"},
        {"[item 1]\ndescription = 0123456789012345678901234567890123456789\n", "longer than 39"},
        {"[item 1]\ndescription = x\nsku = 1\nsku = 2\nsku = 3\nsku = 4\nsku = 5\n", "at most four SKUs"},
        {"[item 1]\ndescription = x\ncomponent = 5 y2\n", "expected 'number [xQUANTITY] [mode M]'"},
        {"[item 0]\ndescription = x\n", "needs a number"},
        {"[item 1]\nprice = 1\n", "has no description"},
        {"[item 1]\ndescription = x\ntax = 4\n", "tax code 0 to 3"},
        {"[customer 1]\nname = x\n", "expected [item N]"},
    };
    for (const Case& c : cases) {
        error.clear();
        EXPECT_FALSE(ParseItem(c.text, item, error)) << c.text;
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.text << " gave: " << error;
    }
}

TEST(ItemBlocks, KitsMustNameItemsAndNotContainThemselves) {
    auto kit = [](std::int64_t n, std::vector<std::string> parts) {
        shop::Item item = shoptest::MakeItem(n, "kit", 12);
        for (std::size_t i = 0; i < parts.size(); ++i) item.components[i] = {parts[i], 0, 1};
        item.kitFlag = shop::kKitFlag;
        return item;
    };
    std::string error;
    EXPECT_TRUE(shop::CheckKits(shoptest::InventoryOf({shoptest::MakeItem(1, "a", 0), kit(2, {"1"}), kit(3, {"2", "1"})}),
                                error))
        << error;
    EXPECT_FALSE(shop::CheckKits(shoptest::InventoryOf({shoptest::MakeItem(1, "a", 0), kit(2, {"1", "7"})}), error));
    EXPECT_EQ(error, "kit 2: component 7 is no item");
    EXPECT_FALSE(shop::CheckKits(shoptest::InventoryOf({kit(2, {"3"}), kit(3, {"4"}), kit(4, {"2"})}), error));
    EXPECT_NE(error.find("contains itself"), std::string::npos);
    EXPECT_FALSE(shop::CheckKits(shoptest::InventoryOf({kit(2, {"2"})}), error));
}

// ---- Customers ----------------------------------------------------------------------------

TEST(CustomerBlocks, WrittenBlockReadsBackEqual) {
    shop::Customer c;
    c.number = 123456789012LL;
    c.name = " LEADING BLANK";
    c.road = "1 HIGH ST";
    c.notes = "multi\r\nline; with = signs and \\ and \xE9";
    c.email = "a@b.example";
    c.terms = 8;
    c.group = 2000;
    c.lastTransaction = 41;
    c.transactions = 7;
    c.taxCode = 0;
    c.totalPurchases = 1234.56;
    c.balance = -0.1;
    c.creditLimit = 2000;
    c.lastUsed = "10:1505/12/2026";
    std::vector<Block> blocks = Parse(shop::FormatCustomer(c));
    shop::Customer back;
    std::string error;
    ASSERT_TRUE(shop::ParseCustomerBlock(blocks.at(0), back, error)) << error;
    EXPECT_EQ(back, c);
}

// ---- Shop configuration and labels ------------------------------------------------------

TEST(ShopBlock, ValuesLandInTheirFields) {
    TerminalConfig c;
    ApplyDefaults(c, shoptest::FixedTime());
    std::vector<Block> blocks = Parse(
        "[shop]\nheader 1 = CORNER\nheader 6 = six\ncurrency = \xC2\xA3\noption 33 = 1750\nswitch 18 = 18\n"
        "amount 0 = 99.5\nassociate 3 = Olena\npassword 3 = 3031\ncategory 12 = ODD\ncategory 2 = BKS\n"
        "tax1_name = VAT\nserver_connection = 1\ntransaction_number = 100\nterm_discount 9 = 98\n"
        "noninventory_caption 4 = Misc\nshop_text 2 = Reg 1\nclosing_message = Bye\ntrade_percentage = 12.5\n"
        "int32 5862 = -7\nint64 3512 = 5000000000\ndouble 14234 = 0.25\ntext 560 20 = free text\n");
    std::string error;
    ASSERT_TRUE(shop::ApplyShopBlock(blocks.at(0), c, error)) << error;
    EXPECT_EQ(c.HeaderText(0), "CORNER");
    EXPECT_EQ(c.Text(300, 60), "six");
    EXPECT_EQ(c.Text(4720, 6), "\xA3");
    EXPECT_EQ(c.Int64(4232 + 33 * 8), 1750);
    EXPECT_EQ(c.Switch(18), 18);
    EXPECT_EQ(c.Amount(0), 99.5);
    EXPECT_EQ(c.AssociateName(3), "Olena");
    EXPECT_EQ(c.AssociatePassword(3), "3031");
    EXPECT_EQ(c.CategoryCode(12), "ODD");
    EXPECT_EQ(c.CategoryCode(2), "BKS");
    EXPECT_EQ(c.CategoryCode(13), "PAP") << "neighbours untouched";
    EXPECT_EQ(c.Text(4761, 6), "VAT");
    EXPECT_EQ(c.Text(4767, 6), "TAX 2");
    EXPECT_EQ(c.Int32(556), 1);
    EXPECT_EQ(c.Int32(4712), 100);
    EXPECT_EQ(c.Int32(516 + 36), 98);
    EXPECT_EQ(c.Text(2312 + 240, 80), "Misc");
    EXPECT_EQ(c.Text(5182 + 250, 50), "Reg 1");
    EXPECT_EQ(c.Text(11230, 254), "Bye");
    EXPECT_EQ(c.Double(11150), 12.5);
    EXPECT_EQ(c.Int32(5862), -7);
    EXPECT_EQ(c.Int64(3512), 5000000000LL);
    EXPECT_EQ(c.Double(14234), 0.25);
    EXPECT_EQ(c.Text(560, 20), "free text");
}

TEST(ShopBlock, OutOfRangeOrUnknownKeysAreRefused) {
    for (const char* line : {"header 9 = x", "option 60 = 1", "switch 200 = 1", "switch 1 = 9999999999",
                             "associate 0 = x", "password 100 = 1", "category 18 = ABC", "category 1 = ABCD",
                             "tax1_name = TOOLONG", "int32 14935 = 1", "text 14930 20 = x", "colour = red",
                             "currency = DOLLAR"}) {
        TerminalConfig c;
        std::string error;
        std::vector<Block> blocks = Parse(std::string("[shop]\n") + line + "\n");
        EXPECT_FALSE(shop::ApplyShopBlock(blocks.at(0), c, error)) << line;
        EXPECT_NE(error.find("line 2"), std::string::npos) << line << " gave: " << error;
    }
}

// ---- The committed demo data --------------------------------------------------------------

TEST(DemoData, ConfigurationAndLabels) {
    const fs::path demo = SHOP_DEMO_DIR;
    TerminalConfig c;
    std::string error;
    ASSERT_TRUE(shop::LoadShopConfig(demo / "shop.txt", shoptest::FixedTime(), c, error)) << error;
    EXPECT_FALSE(c.HeaderText(0).empty());
    EXPECT_NE(c.HeaderText(0), "VARENKO") << "the shop has its own name";
    EXPECT_EQ(c.Option(33), 2000);
    EXPECT_EQ(c.Option(29), 2);
    EXPECT_EQ(c.Option(31), 0);
    EXPECT_EQ(c.ServerConnection(), 1);
    EXPECT_EQ(c.AssociateName(1), "Administrator");
    EXPECT_EQ(c.AssociateName(2), "Manager");
    for (int n = 1; n <= 3; ++n) {
        std::string password = c.AssociatePassword(n);
        EXPECT_FALSE(password.empty()) << n;
        EXPECT_TRUE(std::all_of(password.begin(), password.end(), ::isdigit)) << n;
    }
    EXPECT_NE(c.AssociateName(3).rfind("Associate", 0), 0u) << "real names from associate 3 on";
    EXPECT_FALSE(c.Text(4720, 6).empty()) << "currency sign";
    EXPECT_FALSE(c.Text(11230, 254).empty()) << "closing message";
    const char* codes[] = {"ALC", "BEE", "BOO", "CAN", "CAR", "COF", "DEL", "DRI", "DVD",
                           "FRO", "FRU", "HAR", "MSC", "PAP", "POP", "TEA", "SWE", "WIN"};
    for (int k = 0; k < 18; ++k) EXPECT_EQ(c.CategoryCode(k), codes[k]) << k;

    LabelTable labels;
    ASSERT_TRUE(shop::LoadLabels(demo / "labels.txt", labels, error)) << error;
    for (int i = 0; i < 36; ++i) EXPECT_FALSE(labels.Entry(i).empty()) << i;
}

TEST(DemoData, InventoryCoversWhatTheTerminalExercises) {
    const fs::path demo = SHOP_DEMO_DIR;
    TerminalConfig c;
    std::string error;
    ASSERT_TRUE(shop::LoadShopConfig(demo / "shop.txt", shoptest::FixedTime(), c, error)) << error;
    shop::Inventory items;
    ASSERT_TRUE(shop::LoadItems(demo / "items.txt", shop::CategoryCodesOf(c), items, error)) << error;
    EXPECT_GE(items.size(), 60u);

    std::set<int> categories, taxCodes, offers;
    int outOfStock = 0, lowStock = 0, ageLimited = 0, roundDown = 0, notes = 0, fourSkus = 0, own = 0, stock = 0;
    int nestedKits = 0;
    std::map<int, int> perCategory;
    for (const auto& [number, item] : items) {
        categories.insert(item.category);
        ++perCategory[item.category];
        taxCodes.insert(item.taxCode);
        offers.insert(item.offerRule);
        if (!item.IsKit()) {
            outOfStock += item.stock == 0;
            lowStock += item.stock > 0 && item.stock <= 3;
        }
        ageLimited += item.ageLimit >= 2;
        roundDown += item.roundTaxDown != 0;
        notes += !item.notes.empty();
        fourSkus += !item.skus[3].empty();
        if (item.ownPicture == 1) {
            ++own;
            EXPECT_TRUE(fs::exists(demo / "pictures" / shop::PictureName(item))) << number;
        } else if (item.stockPicture > 0) {
            ++stock;
            EXPECT_TRUE(fs::exists(demo / "pictures" / shop::PictureName(item))) << number;
        }
        for (const shop::KitComponent& part : item.components)
            if (!part.text.empty() && items.at(shop::LeadingNumber(part.text)).IsKit()) ++nestedKits;
    }
    EXPECT_EQ(categories.size(), 18u);
    EXPECT_EQ(taxCodes, (std::set<int>{0, 1, 2, 3}));
    EXPECT_TRUE(offers.count(2) && offers.count(4));
    EXPECT_GT(outOfStock, 0);
    EXPECT_GT(lowStock, 0);
    EXPECT_GT(ageLimited, 0);
    EXPECT_GT(roundDown, 0);
    EXPECT_GT(notes, 0);
    EXPECT_GT(fourSkus, 0);
    EXPECT_GT(own, 0);
    EXPECT_GT(stock, 0);
    EXPECT_GT(nestedKits, 0);
    EXPECT_TRUE(std::any_of(perCategory.begin(), perCategory.end(), [](auto& p) { return p.second > 8; }))
        << "a category with more than one page of buttons";
}

TEST(DemoData, Customers) {
    shop::CustomerBook customers;
    std::string error;
    ASSERT_TRUE(shop::LoadCustomers(fs::path(SHOP_DEMO_DIR) / "customers.txt", customers, error)) << error;
    EXPECT_GE(customers.size(), 20u);
    std::set<int> terms;
    int taxFree = 0, withBalance = 0;
    for (const auto& [number, c] : customers) {
        EXPECT_FALSE(c.name.empty()) << number;
        EXPECT_FALSE(c.telephone.empty()) << number;
        EXPECT_NE(c.email.find('@'), std::string::npos) << number;
        EXPECT_FALSE(c.town.empty()) << number;
        EXPECT_GE(c.terms, 1) << number;
        EXPECT_LE(c.terms, 8) << number;
        terms.insert(c.terms);
        taxFree += c.taxCode == 0;
        withBalance += c.balance != 0;
    }
    EXPECT_EQ(terms.size(), 8u);
    EXPECT_GT(taxFree, 0);
    EXPECT_GT(withBalance, 0);
}

}  // namespace
