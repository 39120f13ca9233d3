// Item pictures: bringing picture files from the server in pieces, filling the
// main window's picture buttons page by page and scrolling them, the sizes of the
// large picture and the palette a 256-colour display needs. Portable: the files, the
// remote calls and the windows come in as steps.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/records.h"
#include "shell/layout.h"

namespace picmsg {
inline constexpr const char* kCannotStore = "Unable to store bitmap";
inline constexpr const char* kRuntimeError = "Runtime error in picture";
inline constexpr const char* kNoButtons = "Unable to contact server for buttons.";
inline constexpr const char* kProblem = "Problem";
}  // namespace picmsg

namespace piccfg {
inline constexpr int kPictures = 3;   // option: 0 no transfers, 1 all, other non-zero stock pictures only
inline constexpr int kCategory = 18;  // switch: the display category, 18 = all
inline constexpr int kStockPictures = 24;
}  // namespace piccfg

// ---- Picture transfer ---------------------------------------------------------------

// A name the server gives may be written into the data directory only when it is a
// plain file name: 1 to 39 printable characters, none that Windows forbids in a name,
// no path separator, drive, "..", trailing dot or blank, and no device name (CON,
// COM1, ...).
bool IsSafePictureName(std::string_view name);
// "m<number>.bmp" for an item with a picture of its own, else "STOCK<n>.bmp".
std::string ItemPictureName(const InventoryItem& item);

// The largest picture file taken; a server that announces more is not believed.
inline constexpr std::int32_t kLargestPicture = 32 * 1024 * 1024;

enum class TransferResult {
    Stored,       // the whole file written
    NoSuchFile,   // the server has none (or announced an impossible size): nothing written
    Refused,      // not a plain file name: nothing written
    CannotStore,  // the file could not be created, reopened or written
    Interrupted,  // the server stopped giving data: the partial file deleted
    Failed,       // the remote call raised an exception: the file left as far as written
};
// The message a result shows (caption "Problem"), or null.
const char* TransferMessage(TransferResult result);
// A server that cannot be reached, or a data directory that cannot take the file, will
// not do better for the next picture of a batch: the batch stops (one message).
inline bool BatchCannotGoOn(TransferResult r) { return r == TransferResult::Failed || r == TransferResult::CannotStore; }

struct TransferSteps {
    // FetchPictureBlock: 0, or the code of the exception.
    std::function<unsigned long(PictureBlock& block)> fetch;
    // Creates (truncates) the data directory's file, or opens it for appending.
    std::function<bool(const std::string& name, bool append)> open;
    std::function<bool(const std::uint8_t* bytes, std::size_t count)> write;
    std::function<void()> close;
    std::function<void(const std::string& name)> remove;
};
// Brings the file from the server in 2000-byte pieces.
TransferResult TransferPicture(const std::string& name, const TransferSteps& steps);

// ---- Picture buttons ---------------------------------------------------------------

struct PictureButtonEntry {
    std::int64_t item = 0;  // 0 = empty
    std::string caption;
    std::string picture;    // file name in the data directory
};
using PictureButtonTable = std::array<PictureButtonEntry, kMaxPictureButtons>;

struct ButtonPageSteps {
    // FetchFirstButtonPage and FetchButtonPage: 0, or the code of the exception.
    std::function<unsigned long(ButtonPage& page)> fetchFirst;
    std::function<unsigned long(ButtonPage& page)> fetchNext;
    std::function<TransferResult(const std::string& name)> transfer;
};

// Fills the picture buttons of a display category from the server's pages, keeping
// the one page record the server expects back with every request.
class ButtonPager {
public:
    explicit ButtonPager(ButtonPageSteps steps) : steps_(std::move(steps)) {}

    // `shown` buttons (8..60) of `category`; `picturesOption` as option [3].
    void Configure(int shown, std::int32_t category, std::int64_t picturesOption);
    // From the first page; false when it could not be fetched (every button empty then).
    bool Load(PictureButtonTable& table);
    // The next (forwards) or previous page of buttons; nothing when the button it
    // starts from is empty or a page cannot be fetched.
    void Scroll(PictureButtonTable& table, bool forwards);

private:
    bool FirstPage();
    bool NextPage();
    void TransferOwnPictures();
    // Copies page entries into table[from...]; returns the next free position and sets
    // `sawEmpty` when an entry with number 0 was copied.
    int CopyForward(PictureButtonTable& table, int from, bool& sawEmpty) const;

    ButtonPageSteps steps_;
    ButtonPage page_;
    int shown_ = 8;
    std::int32_t category_ = 0;
    std::int64_t picturesOption_ = 0;
};

// ---- Drawing ------------------------------------------------------------------------

struct PictureSize {
    int width = 0;
    int height = 0;
};
// The large picture's drawn size for a bitmap of w by h: 300 wide, or 300 high when
// the height is twice the width or more. Empty when the bitmap has no size.
std::optional<PictureSize> LargePictureSize(int w, int h);

struct PaletteColour {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const PaletteColour&) const = default;
};
// The palette a 256-colour display needs for a bitmap file: its colour table, or for
// a 24-bit picture without one a 256-entry colour cube. Empty when the file is not a
// bitmap with a 40-byte information header or has no colours to give.
std::optional<std::vector<PaletteColour>> PaletteFromBitmapFile(std::span<const std::uint8_t> file);
