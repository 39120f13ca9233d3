// Pictures: the transfer in pieces, hostile names, the picture-button pages and
// scrolls against a small server, the large picture's size and the 256-colour palette.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "inventory/pictures.h"

namespace {

// A server holding one file, and the file it is written to.
struct TransferRun {
    std::vector<std::uint8_t> served;   // the file on the server (empty: none)
    int failAtRequest = -1;             // this request raises an exception
    int stopAtRequest = -1;             // from this request on the server gives nothing
    bool canCreate = true, canWrite = true;

    std::vector<int> offsets = {};
    std::vector<std::uint8_t> written = {};
    std::vector<std::string> events = {};  // open, append, close, remove

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
        s.open = [this](const std::string&, bool append) {
            events.push_back(append ? "append" : "open");
            if (!append) written.clear();
            return canCreate;
        };
        s.write = [this](const std::uint8_t* bytes, std::size_t n) {
            written.insert(written.end(), bytes, bytes + n);
            return canWrite;
        };
        s.close = [this] { events.push_back("close"); };
        s.remove = [this](const std::string&) { events.push_back("remove"); written.clear(); };
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
    struct Row { const char* why; TransferRun run; R result; O offsets; std::size_t written; };
    Row rows[] = {
        {"exactly 2000 bytes: one request", {Bytes(2000)}, R::Stored, {0}, 2000},
        {"2001 bytes: a second request at 2000", {Bytes(2001)}, R::Stored, {0, 2000}, 2001},
        {"4500 bytes: 2000, 2000 and 500", {Bytes(4500)}, R::Stored, {0, 2000, 4000}, 4500},
        {"no such file: nothing written", {{}}, R::NoSuchFile, {0}, 0},
        {"the server stops giving data: partial file deleted", {Bytes(4500), -1, 2}, R::Interrupted, {0, 2000, 4000},
         0},
        {"an exception leaves the file as far as written", {Bytes(4500), 1}, R::Failed, {0, 2000}, 2000},
        {"an exception at once writes nothing", {Bytes(10), 0}, R::Failed, {0}, 0},
        {"the file cannot be created", {Bytes(10), -1, -1, false}, R::CannotStore, {0}, 0},
        {"a full disk deletes the partial file", {Bytes(4500), -1, -1, true, false}, R::CannotStore, {0}, 0},
    };
    for (Row& r : rows) {
        EXPECT_EQ(r.run.Run("STOCK1.bmp"), r.result) << r.why;
        EXPECT_EQ(r.run.offsets, r.offsets) << r.why;
        EXPECT_EQ(r.run.written.size(), r.written) << r.why;
        if (r.result == R::Stored) {
            EXPECT_EQ(r.run.written, r.run.served) << r.why;
        }
        const auto opens = std::count(r.run.events.begin(), r.run.events.end(), "open") +
                           std::count(r.run.events.begin(), r.run.events.end(), "append");
        EXPECT_EQ(opens, std::count(r.run.events.begin(), r.run.events.end(), "close") + (r.run.canCreate ? 0 : 1))
            << r.why << ": every file opened is closed";
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
    for (const Row& r : rows) {
        EXPECT_EQ(IsSafePictureName(r.name), r.safe) << '"' << r.name << '"';
        if (!r.safe) {
            TransferRun run{Bytes(10)};
            EXPECT_EQ(run.Run(r.name), TransferResult::Refused) << r.name;
            EXPECT_TRUE(run.offsets.empty() && run.events.empty()) << r.name << ": nothing asked, nothing written";
        }
    }
}

// A server of button pages over the items 1..count, eight to a page. A backward page
// before the first item repeats the first page.
struct PageServer {
    int count = 0;
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
        for (int b = 0; b < 8; ++b)
            if (p.ItemNumber(b) != 0) p.SetCursor(p.ItemNumber(b));  // the last item on the page
    }
    ButtonPageSteps Steps() {
        ButtonPageSteps s;
        s.fetchFirst = [this](ButtonPage& p) -> unsigned long { ++requests; Fill(p, 1); return 0; };
        s.fetchNext = [this](ButtonPage& p) -> unsigned long {
            ++requests;
            if (p.Direction() == buttons::kBackward)
                Fill(p, std::max<std::int64_t>(1, p.ItemNumber(0) - 8));
            else
                Fill(p, p.Cursor() + 1);
            return 0;
        };
        s.transfer = [this](const std::string& name) { transfers.push_back(name); return TransferResult::Stored; };
        return s;
    }
};

std::vector<std::int64_t> Numbers(const PictureButtonTable& t, int shown) {
    std::vector<std::int64_t> numbers;
    for (int b = 0; b < shown; ++b) numbers.push_back(t[static_cast<std::size_t>(b)].item);
    return numbers;
}

std::vector<std::int64_t> Items(std::int64_t from, std::int64_t to, int shown) {
    std::vector<std::int64_t> numbers;
    for (std::int64_t n = from; n <= to; ++n) numbers.push_back(n);
    numbers.resize(static_cast<std::size_t>(shown), 0);
    return numbers;
}

TEST(PictureButtons, LoadAndScrollPageByPage) {
    enum Step { Load, Forwards, Backwards };
    struct Row {
        const char* why;
        int items, shown;
        std::vector<Step> steps;
        std::vector<std::int64_t> buttons;
        int requests;
    };
    const Row rows[] = {
        {"eight buttons: one request", 20, 8, {Load}, Items(1, 8, 8), 1},
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
    };
    for (const Row& r : rows) {
        PageServer server{r.items};
        ButtonPager pager(server.Steps());
        pager.Configure(r.shown, 3, 1);
        PictureButtonTable table;
        table[59].item = 77;  // beyond the buttons shown: always emptied by a load
        for (Step s : r.steps) {
            if (s == Load) {
                EXPECT_TRUE(pager.Load(table)) << r.why;
            } else {
                pager.Scroll(table, s == Forwards);
            }
        }
        EXPECT_EQ(Numbers(table, r.shown), r.buttons) << r.why;
        EXPECT_EQ(server.requests, r.requests) << r.why;
        EXPECT_EQ(table[59].item, 0) << r.why;
    }
}

TEST(PictureButtons, PicturesAndFailures) {
    using T = TransferResult;
    struct Row { std::int64_t option; bool firstFails; T result; std::vector<std::string> transfers; const char* why; };
    const Row rows[] = {
        {1, false, T::Stored, {"m1.bmp", "m3.bmp", "m5.bmp", "m7.bmp"}, "option 1 brings the items' own pictures"},
        {1, false, T::NoSuchFile, {"m1.bmp", "m3.bmp", "m5.bmp", "m7.bmp"}, "a missing picture does not stop the rest"},
        {1, false, T::Failed, {"m1.bmp"}, "a server that fails is not asked for the rest"},
        {1, false, T::CannotStore, {"m1.bmp"}, "a full disk is not written to again"},
        {2, false, T::Stored, {}, "option 2 brings stock pictures only, at start-up"},
        {1, true, T::Stored, {}, "a first page that fails brings nothing"},
    };
    for (const Row& r : rows) {
        PageServer server{8};
        ButtonPageSteps steps = server.Steps();
        steps.transfer = [&server, &r](const std::string& name) {
            server.transfers.push_back(name);
            return r.result;
        };
        if (r.firstFails) steps.fetchFirst = [](ButtonPage&) -> unsigned long { return 0x6ba; };
        ButtonPager pager(steps);
        pager.Configure(8, 18, r.option);
        PictureButtonTable table;
        table[0].item = 5;
        EXPECT_EQ(pager.Load(table), !r.firstFails) << r.why;
        EXPECT_EQ(server.transfers, r.transfers) << r.why;
        EXPECT_EQ(table[1].caption, r.firstFails ? "" : "ITEM 2") << r.why;
        EXPECT_EQ(table[0].item, r.firstFails ? 0 : 1) << "a failed load leaves every button empty";
    }
}

TEST(PicturePainting, LargePictureKeepsItsShape) {
    struct Row { int w, h; std::optional<PictureSize> size; const char* why; };
    const Row rows[] = {
        {100, 200, PictureSize{150, 300}, "twice as high as wide: 300 high"},
        {100, 199, PictureSize{300, 597}, "a little under twice: 300 wide"},
        {48, 48, PictureSize{300, 300}, "square"},
        {400, 100, PictureSize{300, 75}, "wide"},
        {0, 48, std::nullopt, "no width"},
        {48, 0, PictureSize{300, 0}, "no height"},
        {-3, 5, std::nullopt, "negative width"},
    };
    for (const Row& r : rows) {
        const auto size = LargePictureSize(r.w, r.h);
        ASSERT_EQ(size.has_value(), r.size.has_value()) << r.why;
        if (size) {
            EXPECT_EQ(std::pair(size->width, size->height), std::pair(r.size->width, r.size->height)) << r.why;
        }
    }
}

std::vector<std::uint8_t> BitmapHeader(std::uint32_t infoSize, std::uint16_t bits, std::uint32_t used,
                                       std::size_t tableEntries) {
    std::vector<std::uint8_t> file(14 + 40 + 4 * tableEntries, 0);
    file[0] = 'B';
    file[1] = 'M';
    const auto put = [&](std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) file[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(14, infoSize, 4);
    put(28, bits, 2);
    put(46, used, 4);
    for (std::size_t i = 0; i < tableEntries; ++i) put(54 + 4 * i, 0x00102030u + static_cast<std::uint32_t>(i), 4);
    return file;
}

TEST(PicturePainting, PaletteFromTheFile) {
    struct Row { std::vector<std::uint8_t> file; int colours; const char* why; };
    const Row rows[] = {
        {BitmapHeader(40, 8, 0, 256), 256, "8 bits: 256 colours from the table"},
        {BitmapHeader(40, 4, 0, 16), 16, "4 bits: 16"},
        {BitmapHeader(40, 1, 0, 2), 2, "1 bit: 2"},
        {BitmapHeader(40, 8, 3, 3), 3, "colours used wins"},
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
    EXPECT_EQ((*cube)[8], (PaletteColour{0, 32, 0})) << "green steps when red wraps";
    EXPECT_EQ((*cube)[64], (PaletteColour{0, 0, 64})) << "blue steps when green wraps";
    EXPECT_EQ((*cube)[255], (PaletteColour{224, 224, 192}));
}

}  // namespace
