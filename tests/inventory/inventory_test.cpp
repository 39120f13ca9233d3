#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "inventory/inventory_search.h"
#include "inventory/pictures.h"
#include "resources/resource_ids.h"
#include "support/local_time.h"

namespace {

InventoryItem Item(std::int64_t number, const char* description = "KINGSBRIDGE VODKA") {
    InventoryItem item;
    item.SetNumber(number), item.SetDescription(description);
    return item;
}

// A search run against scripted answers, recording what it showed and the keys sent.
struct Script {
    std::deque<InventoryItem> replies;  // an empty queue is a failed call (code 0x6ba)
    std::deque<FoundItemAnswer> answers = {};
    std::int64_t listChoice = 0;        // 0 cancels the list
    std::vector<std::string> shown = {}, keys = {};  // keys: "number text"

    InventorySteps Steps() {
        InventorySteps s;
        s.chooseFromList = [this](SearchKind kind, const std::string& text, std::int64_t& chosen) {
            shown.push_back(std::string(kind == SearchKind::Sku ? "sku" : "description") + " list of " + text);
            chosen = listChoice;
            return listChoice != 0;
        };
        s.fetch = [this](const ItemKey& key, InventoryItem& item) -> unsigned long {
            keys.push_back(std::to_string(key.Number()) + " " + key.SearchText());
            if (replies.empty()) return 0x6ba;
            item = replies.front(), replies.pop_front();
            return 0;
        };
        s.showFound = [this](const InventoryItem& item) {
            shown.push_back("found " + std::to_string(item.Number()));
            const FoundItemAnswer a = answers.front();
            return answers.pop_front(), a;
        };
        s.showView = [this](const InventoryItem& item) { shown.push_back("view " + std::to_string(item.Number())); };
        s.tell = [this](const std::string& text, const char* caption) { shown.push_back(text + " (" + caption + ")"); };
        return s;
    }
};

TEST(InventorySearch, WalksRepliesAndDialogs) {
    const InventoryItem none, i40 = Item(40), i41 = Item(41);
    const std::string networkError = "Network error: (0x6ba)\n (Problem)";
    const std::string noMatch = "No match found (Inventory search)";
    using A = FoundItemAnswer;
    using V = std::vector<std::string>;
    constexpr auto D = SearchKind::Description, S = SearchKind::Sku;
    struct Row { const char* why; bool forSale; SearchKind kind; const char* text; bool listOption; Script script;
                 V shown; std::int64_t current; V keys; };
    Row rows[] = {
        {"Find by SKU with a number shows the first match directly", false, S, "5012340010019", false, {{i40}},
         {"view 40"}, 40, {"-2 5012340010019"}},
        {"a direct search finding nothing is silent", false, D, "77", false, {{none}}, {}, 0, {"-1 77"}},
        {"a description search steps on from the item shown", false, D, "VOD", false,
         {{i40, i41, none}, {A::Next, A::Next}}, {"found 40", "found 41", noMatch}, 0,
         {"-1 VOD", "40 VOD", "41 VOD"}},
        {"an SKU search continues with minus the number minus 2", false, S, "KB", false, {{i40, i41}, {A::Next, A::Ok}},
         {"found 40", "found 41"}, 41, {"-2 KB", "-42 KB"}},
        {"Find's Cancel keeps the item", false, D, "VOD", false, {{i40}, {A::Cancel}}, {"found 40"}, 40, {"-1 VOD"}},
        {"with the list option a number skips it", false, D, "40", true, {{i40}, {}, 41}, {"view 40"}, 40, {"-1 40"}},
        {"with the list option Find by SKU always lists", false, S, "40", true, {{i41}, {}, 41},
         {"sku list of 40", "view 41"}, 41, {"-1 41"}},
        {"a cancelled list fetches nothing", false, D, "VOD", true, {{}, {}, 0}, {"description list of VOD"}, 99, {}},
        {"a failure shows the exception's code", false, D, "VOD", false, {{}}, {networkError}, 99, {"-1 VOD"}},
        {"for sale a number typed is text", true, D, "40", false, {{i40}, {A::Ok}}, {"found 40"}, 40, {"-1 40"}},
        {"for sale Cancel sells nothing", true, D, "VOD", false, {{i40}, {A::Cancel}}, {"found 40"}, 0, {"-1 VOD"}},
        {"for sale the item chosen in the list is fetched by number, no view", true, D, "VOD", true, {{i41}, {}, 41},
         {"description list of VOD"}, 41, {"-1 41"}},
        {"for sale a cancelled list does not sell the previous item", true, D, "VOD", true, {{}, {}, 0},
         {"description list of VOD"}, 0, {}},
        {"for sale a failure does not sell the last item", true, D, "VOD", false, {{}}, {networkError}, 0, {"-1 VOD"}},
    };
    for (Row& r : rows) {
        InventoryItem current = Item(99);
        (r.forSale ? RunSearchForSale : RunFindInventory)(current, r.kind, r.text, r.listOption, r.script.Steps());
        EXPECT_EQ(std::tuple(r.script.shown, current.Number(), r.script.keys), std::tuple(r.shown, r.current, r.keys))
            << r.why;
    }
}

TEST(InventorySearch, ListStopsAtTheEndOrARepeat) {
    const InventoryItem none, i40 = Item(40), i41 = Item(41);
    using V = std::vector<std::string>;
    const V both = {"40 KINGSBRIDGE VODKA", "41 KINGSBRIDGE VODKA"};
    const V keys = {"-2 501", "-42 501", "-43 501"};  // an SKU list goes on after each item
    struct Row { std::deque<InventoryItem> replies; bool fails; V lines, keys; const char* why; };
    const Row rows[] = {
        {{i40, i41, none}, false, both, keys, "ends at number 0"},
        {{i40, i41, i40}, false, both, keys, "a repeated item ends the list"},
        {{i40}, true, {both[0]}, {keys[0], keys[1]}, "a failure keeps the lines so far"},
    };
    for (const Row& r : rows) {
        Script script{r.replies};
        const auto fetch = script.Steps().fetch;
        bool failed = !r.fails;
        const auto fetched = [&](const ItemKey& k, InventoryItem& i) { return fetch(k, i) == 0; };
        EXPECT_EQ(ListItemMatches(SearchKind::Sku, "501", fetched, failed), r.lines) << r.why;
        EXPECT_EQ(std::pair(failed, script.keys), std::pair(r.fails, r.keys)) << r.why;
    }
}

TEST(InventorySearch, DialogsShowTheItem) {
    InventoryItem item = Item(1001, "KINGSBRIDGE VODKA 70CL");
    item.SetCostPrice(9.8), item.SetPrice(15.83), item.SetSaleOrReturn(1), item.SetTaxCode(3);
    TerminalConfig config;
    ApplyDefaults(config, LocalTime{});
    struct Row { std::int64_t associate; std::int32_t hideCost, category; const char *dateAdded, *shown, *why; };
    const Row rows[] = {  // shown: the cost, category and date added
        {0, 0, 0, "03/02/2025", "|ALC|D3/2/2025", "associate 0 never sees the cost; the first code; day first"},
        {1, 1, 17, "", "9.80|WIN|", "1 sees it though it is hidden; category 17: the second table's ninth code"},
        {2, 1, 18, "SOON", "9.80||SOON", "so does 2; category 18 shows nothing; a date that cannot be converted"},
        {3, 0, -1, "31/13/2025", "9.80||31/13/2025", "3 sees it unless hidden; a negative category; month 13"},
        {3, 1, 0, "", "|ALC|", "hidden from 3"}, {-4, 0, 0, "", "|ALC|", "a negative associate sees no cost"},
    };
    for (const Row& r : rows) {
        config.SetCurrentAssociate(r.associate), config.SetSwitch(invcfg::kHideCost, r.hideCost);
        item.SetCategory(r.category), item.SetDateAdded(r.dateAdded);
        const BoxTexts boxes = ItemViewBoxes(item, config, LocalTime{}, FakeDateFormatter);
        std::map<int, std::string> view(boxes.begin(), boxes.end());
        EXPECT_EQ(view[IDC_INV_COST] + "|" + view[IDC_INV_CATEGORY] + "|" + view[IDC_INV_DATE_ADDED], r.shown)
            << r.why;
        EXPECT_EQ(view[IDC_INV_PRICE] + "|" + view[IDC_INV_SOR] + "|" + view[IDC_INV_TAX], "15.83|YES|Tax 2") << r.why;
    }
}

// ---- Pictures ------------------------------------------------------------------------

// A server holding one file, and the file it is written to.
struct TransferRun {
    std::vector<std::uint8_t> served;   // the file on the server (empty: none)
    int failAtRequest = -1;             // this request raises an exception
    int stopAtRequest = -1;             // from this request on the server gives nothing
    bool canCreate = true, canWrite = true;

    std::vector<int> offsets = {};
    std::vector<std::uint8_t> written = {};
    int opened = 0, closed = 0, removed = 0;  // files

    TransferResult Run(const std::string& name) {
        TransferSteps s;
        s.fetch = [this](PictureBlock& b) -> unsigned long {
            const int request = static_cast<int>(offsets.size());
            const int offset = b.Count();
            offsets.push_back(offset);
            if (request == failAtRequest) return 0x6be;
            const bool stopped = stopAtRequest >= 0 && request >= stopAtRequest;
            const std::size_t from = std::min<std::size_t>(static_cast<std::size_t>(offset), served.size());
            const std::size_t n = std::min<std::size_t>(2000, served.size() - from);
            std::copy_n(served.begin() + static_cast<std::ptrdiff_t>(from), n, b.Data().begin());
            b.SetCount(stopped ? 0 : offset == 0 ? static_cast<std::int32_t>(served.size()) : static_cast<std::int32_t>(n));
            return 0;
        };
        s.open = [this](const std::string&, bool) { return opened += canCreate, canCreate; };
        s.write = [this](const std::uint8_t* bytes, std::size_t n) {
            return written.insert(written.end(), bytes, bytes + n), canWrite;
        };
        s.close = [this] { ++closed; };
        s.remove = [this](const std::string&) { ++removed, written.clear(); };
        return TransferPicture(name, s);
    }
};

std::vector<std::uint8_t> Bytes(std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{7});
    return bytes;
}

TEST(PictureTransfer, FetchesInPiecesAndWritesWhatArrived) {
    using R = TransferResult;
    using O = std::vector<int>;
    struct Row { const char* why; TransferRun run; R result; O offsets; std::size_t written;
                 const char* name = "STOCK1.bmp"; };
    Row rows[] = {
        {"exactly 2000 bytes: one request", {Bytes(2000)}, R::Stored, {0}, 2000},
        {"2001 bytes: a second request at 2000", {Bytes(2001)}, R::Stored, {0, 2000}, 2001},
        {"no such file: nothing written", {{}}, R::NoSuchFile, {0}, 0},
        {"the server stops giving data: the part deleted", {Bytes(4500), -1, 2}, R::Interrupted, {0, 2000, 4000}, 0},
        {"an exception leaves the file as far as written", {Bytes(4500), 1}, R::Failed, {0, 2000}, 2000},
        {"an exception at once writes nothing", {Bytes(10), 0}, R::Failed, {0}, 0},
        {"the file cannot be created", {Bytes(10), -1, -1, false}, R::CannotStore, {0}, 0},
        {"a full disk deletes the partial file", {Bytes(4500), -1, -1, true, false}, R::CannotStore, {0}, 0},
        {"a name that is no plain file name: nothing asked or written", {Bytes(10)}, R::Refused, {}, 0, "..\\vks.cfg"},
    };
    for (Row& r : rows) {
        const R result = r.run.Run(r.name);
        EXPECT_EQ(std::tuple(result, r.run.offsets, r.run.written.size()), std::tuple(r.result, r.offsets, r.written))
            << r.why;
        EXPECT_TRUE(result != R::Stored || r.run.written == r.run.served) << r.why << ": the bytes served";
        EXPECT_EQ(r.run.opened, r.run.closed) << r.why << ": every file opened is closed";
    }
}

TEST(PictureTransfer, WritesOnlyPlainFileNames) {
    struct Row { const char* name; bool safe; };
    const Row rows[] = {
        {"STOCK1.bmp", true}, {"m1001.bmp", true}, {"a b.bmp", true},
        {"", false}, {"..\\vks.cfg", false}, {"../x.bmp", false}, {"sub\\x.bmp", false}, {"C:x.bmp", false},
        {"x..bmp", false}, {"x.bmp.", false}, {"x.bmp ", false}, {"a*b.bmp", false}, {"a?.bmp", false},
        {"a|b", false}, {"a\"b", false}, {"a<b>", false}, {"tab\t.bmp", false}, {"\xe9.bmp", false},
        {"CON", false}, {"con.bmp", false}, {"COM1.bmp", false}, {"lpt9", false}, {"NUL .bmp", false},
        {"COMPANY.bmp", true}, {"COM10.bmp", true},
        {"123456789012345678901234567890123456789", true}, {"1234567890123456789012345678901234567890", false},
    };
    for (const Row& r : rows) EXPECT_EQ(IsSafePictureName(r.name), r.safe) << '"' << r.name << '"';
}

// A server of button pages over the items 1..count, eight to a page, and the pictures'
// transfers. A backward page before the first item repeats the first page.
struct PageServer {
    int count = 0;
    TransferResult result = TransferResult::Stored;  // of every transfer
    bool firstFails = false;
    int requests = 0;
    std::vector<std::string> transfers = {};

    void Fill(ButtonPage& p, std::int64_t from) const {
        for (int b = 0; b < 8; ++b) {
            const std::int64_t n = from + b;
            const bool real = n >= 1 && n <= count;
            p.SetItemNumber(b, real ? n : 0);
            p.SetCaption(b, real ? "ITEM " + std::to_string(n) : "");
            p.SetPictureName(b, real ? (n % 2 ? "m" : "STOCK") + std::to_string(n) + ".bmp" : "");
        }
        if (from <= count) p.SetCursor(std::min<std::int64_t>(from + 7, count));  // the last item on the page
    }
    ButtonPageSteps Steps() {
        ButtonPageSteps s;
        s.fetchFirst = [this](ButtonPage& p) { return ++requests, Fill(p, 1), firstFails ? 0x6baul : 0ul; };
        s.fetchNext = [this](ButtonPage& p) -> unsigned long {
            ++requests;
            const bool back = p.Direction() == buttons::kBackward;
            Fill(p, back ? std::max<std::int64_t>(1, p.ItemNumber(0) - 8) : p.Cursor() + 1);
            return 0;
        };
        s.transfer = [this](const std::string& name) { return transfers.push_back(name), result; };
        return s;
    }
};

using Ids = std::vector<std::int64_t>;

Ids Numbers(const PictureButtonTable& t, int shown) {
    Ids numbers;
    for (int b = 0; b < shown; ++b) numbers.push_back(t[static_cast<std::size_t>(b)].item);
    return numbers;
}

Ids Items(std::int64_t from, std::int64_t to, int shown) {
    Ids numbers;
    for (std::int64_t n = from; n <= to; ++n) numbers.push_back(n);
    numbers.resize(static_cast<std::size_t>(shown), 0);
    return numbers;
}

TEST(PictureButtons, LoadScrollAndPictures) {
    enum Step { Load, Forwards, Backwards };
    using T = TransferResult;
    using Names = std::vector<std::string>;
    const Names own = {"m1.bmp", "m3.bmp", "m5.bmp", "m7.bmp"};
    struct Row { const char* why; int items, shown; std::vector<Step> steps; Ids buttons; int requests;
                 std::int64_t option = 1; T result = T::Stored; bool firstFails = false;
                 std::optional<Names> transfers = {}; };
    const Row rows[] = {
        {"fourteen buttons fill from two pages", 20, 14, {Load}, Items(1, 14, 14), 2},
        {"fewer items than buttons leave the rest empty", 5, 14, {Load}, Items(1, 5, 14), 1},
        {"exactly eight items on fourteen buttons ask once more and stop", 8, 14, {Load}, Items(1, 8, 14), 2},
        {"forwards shows the next eight", 20, 8, {Load, Forwards}, Items(9, 16, 8), 2},
        {"forwards past the end leaves a partly filled page", 20, 8, {Load, Forwards, Forwards}, Items(17, 20, 8), 3},
        {"forwards with nothing after keeps the buttons", 8, 8, {Load, Forwards}, Items(1, 8, 8), 2},
        {"forwards from an empty last button does nothing", 5, 8, {Load, Forwards}, Items(1, 5, 8), 1},
        {"backwards returns to the page before", 24, 8, {Load, Forwards, Forwards, Backwards}, Items(9, 16, 8), 4},
        {"backwards from the first page reloads it", 20, 8, {Load, Backwards}, Items(1, 8, 8), 3},
        {"backwards over fourteen buttons fills from the end", 40, 14,
         {Load, Forwards, Forwards, Backwards}, Items(15, 28, 14), 8},
        {"option 1 brings the items' own pictures", 8, 8, {Load}, Items(1, 8, 8), 1, 1, T::Stored, false, own},
        {"a missing picture does not stop the rest", 8, 8, {Load}, Items(1, 8, 8), 1, 1, T::NoSuchFile, false, own},
        {"a server that fails is not asked for the rest", 8, 8, {Load}, Items(1, 8, 8), 1, 1, T::Failed, false,
         Names{"m1.bmp"}},
        {"a full disk is not written to again", 8, 8, {Load}, Items(1, 8, 8), 1, 1, T::CannotStore, false,
         Names{"m1.bmp"}},
        {"option 2 brings stock pictures only, at start-up", 8, 8, {Load}, Items(1, 8, 8), 1, 2, T::Stored, false,
         Names{}},
        {"a first page that fails leaves every button empty", 8, 8, {Load}, Items(1, 0, 8), 1, 1, T::Stored, true,
         Names{}},
    };
    for (const Row& r : rows) {
        PageServer server{r.items, r.result, r.firstFails};
        ButtonPager pager(server.Steps());
        pager.Configure(r.shown, 3, r.option);
        PictureButtonTable table;
        table[0].item = 5, table[59].item = 77;  // 59: beyond the buttons shown, always emptied by a load
        for (Step s : r.steps) {
            if (s != Load) pager.Scroll(table, s == Forwards);
            else EXPECT_EQ(pager.Load(table), !r.firstFails) << r.why;
        }
        EXPECT_EQ(std::tuple(Numbers(table, r.shown), server.requests, table[59].item),
                  std::tuple(r.buttons, r.requests, 0)) << r.why;
        EXPECT_EQ(table[1].caption, r.buttons[1] ? "ITEM " + std::to_string(r.buttons[1]) : "") << r.why;
        EXPECT_EQ(r.transfers.value_or(server.transfers), server.transfers) << r.why;
    }
}

TEST(PicturePainting, LargePictureKeepsItsShape) {
    struct Row { int w, h, width, height; const char* why; };  // width -1: no size
    const Row rows[] = {
        {100, 200, 150, 300, "twice as high as wide: 300 high"}, {100, 199, 300, 597, "a little under twice: 300 wide"},
        {48, 48, 300, 300, "square"}, {400, 100, 300, 75, "wide"}, {48, 0, 300, 0, "no height"},
        {0, 48, -1, -1, "no width"}, {-3, 5, -1, -1, "negative width"},
    };
    for (const Row& r : rows) {
        const PictureSize size = LargePictureSize(r.w, r.h).value_or(PictureSize{-1, -1});
        EXPECT_EQ(std::pair(size.width, size.height), std::pair(r.width, r.height)) << r.why;
    }
}

std::vector<std::uint8_t> BitmapHeader(std::uint32_t infoSize, std::uint32_t bits, std::uint32_t used,
                                       std::size_t entries) {
    std::vector<std::uint8_t> file(14 + 40 + 4 * entries, 0);
    const auto put = [&](std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) file[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(0, 'B' | 'M' << 8, 2), put(14, infoSize, 4), put(28, bits, 2), put(46, used, 4);
    for (std::size_t i = 0; i < entries; ++i) put(54 + 4 * i, 0x00102030u + static_cast<std::uint32_t>(i), 4);
    return file;
}

TEST(PicturePainting, PaletteFromTheFile) {
    struct Row { std::vector<std::uint8_t> file; int colours; const char* why; };
    const Row rows[] = {
        {BitmapHeader(40, 8, 0, 256), 256, "8 bits: 256 colours from the table"}, {BitmapHeader(40, 4, 0, 16), 16, "4"},
        {BitmapHeader(40, 1, 0, 2), 2, "1 bit: 2"}, {BitmapHeader(40, 8, 3, 3), 3, "colours used wins"},
        {BitmapHeader(40, 24, 0, 0), 256, "24 bits: the colour cube"},
        {BitmapHeader(40, 32, 0, 0), -1, "32 bits without a table: no palette"},
        {BitmapHeader(12, 8, 0, 256), -1, "a core header is not taken"},
        {BitmapHeader(40, 8, 0, 10), -1, "a table cut short"},
        {BitmapHeader(40, 8, 100000, 256), -1, "an absurd colour count"},
    };
    for (const Row& r : rows) {
        const auto palette = PaletteFromBitmapFile(r.file);
        EXPECT_EQ(palette ? static_cast<int>(palette->size()) : -1, r.colours) << r.why;
    }
    const auto table = PaletteFromBitmapFile(BitmapHeader(40, 8, 0, 256));
    EXPECT_EQ((*table)[1], (PaletteColour{0x10, 0x20, 0x31})) << "stored blue, green, red";
    const auto cube = PaletteFromBitmapFile(BitmapHeader(40, 24, 0, 0));
    EXPECT_EQ((*cube)[7], (PaletteColour{224, 0, 0})) << "red steps first";
    EXPECT_EQ((*cube)[64], (PaletteColour{0, 0, 64})) << "blue steps when green wraps";
    EXPECT_EQ((*cube)[255], (PaletteColour{224, 224, 192}));
}

}  // namespace
