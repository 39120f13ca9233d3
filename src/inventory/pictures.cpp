#include "inventory/pictures.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::int32_t kPiece = picture::kDataWidth;

bool IsDeviceName(std::string_view name) {
    std::string base(name.substr(0, name.find('.')));
    for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"})
        if (base == device) return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           std::isdigit(static_cast<unsigned char>(base[3]));
}

std::uint32_t Little(std::span<const std::uint8_t> bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

}  // namespace

bool IsSafePictureName(std::string_view name) {
    if (name.empty() || name.size() >= picture::kName.width) return false;
    for (char c : name) {
        if (c < 0x20 || c > 0x7e) return false;
        if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) return false;
    }
    if (name.find("..") != std::string_view::npos) return false;
    if (name.back() == '.' || name.back() == ' ') return false;
    return !IsDeviceName(name);
}

std::string ItemPictureName(const InventoryItem& item) {
    if (item.OwnPicture() == 1) return "m" + std::to_string(item.Number()) + ".bmp";
    return "STOCK" + std::to_string(item.PictureNumber()) + ".bmp";
}

const char* TransferMessage(TransferResult result) {
    switch (result) {
    case TransferResult::CannotStore: return picmsg::kCannotStore;
    case TransferResult::Failed: return picmsg::kRuntimeError;
    default: return nullptr;
    }
}

TransferResult TransferPicture(const std::string& name, const TransferSteps& steps) {
    if (!IsSafePictureName(name)) return TransferResult::Refused;
    PictureBlock block;
    const auto request = [&](std::int32_t offset) {
        block.SetName(name);
        block.SetCount(offset);
        return steps.fetch(block) == 0;
    };
    if (!request(0)) return TransferResult::Failed;
    const std::int32_t size = block.Count();
    if (size <= 0 || size > kLargestPicture) return TransferResult::NoSuchFile;
    if (!steps.open(name, false)) return TransferResult::CannotStore;
    const auto writePiece = [&](std::int32_t count) {
        if (steps.write(block.Data().data(), static_cast<std::size_t>(count))) return true;
        steps.close();
        steps.remove(name);
        return false;
    };
    if (!writePiece(std::min(size, kPiece))) return TransferResult::CannotStore;
    steps.close();
    std::int32_t remaining = size - kPiece;
    std::int32_t offset = kPiece;
    if (remaining <= 0) return TransferResult::Stored;
    if (!steps.open(name, true)) return TransferResult::CannotStore;
    while (remaining > 0) {
        if (!request(offset)) {
            steps.close();
            return TransferResult::Failed;
        }
        if (block.Count() == 0) {
            steps.close();
            steps.remove(name);
            return TransferResult::Interrupted;
        }
        if (!writePiece(std::min(remaining, kPiece))) return TransferResult::CannotStore;
        remaining -= kPiece;
        offset += kPiece;
    }
    steps.close();
    return TransferResult::Stored;
}

// ---- Picture buttons ---------------------------------------------------------------

void ButtonPager::Configure(int shown, std::int32_t category, std::int64_t picturesOption) {
    shown_ = std::clamp(shown, kMinPictureButtons, kMaxPictureButtons);
    category_ = category;
    picturesOption_ = picturesOption;
}

void ButtonPager::TransferOwnPictures() {
    if (picturesOption_ != 1) return;
    for (int b = 0; b < buttons::kButtonCount; ++b) {
        const std::string name = page_.PictureName(b);
        if (name.starts_with("m") && BatchCannotGoOn(steps_.transfer(name))) return;
    }
}

bool ButtonPager::FirstPage() {
    page_.SetCursor(0);
    page_.SetCategory(category_);
    if (steps_.fetchFirst(page_) != 0) return false;
    TransferOwnPictures();
    return true;
}

bool ButtonPager::NextPage() {
    page_.SetCategory(category_);
    std::array<std::int64_t, buttons::kButtonCount> before{};
    for (int b = 0; b < buttons::kButtonCount; ++b) before[b] = page_.ItemNumber(b);
    if (steps_.fetchNext(page_) != 0) return false;
    bool changed = false;
    for (int b = 0; b < buttons::kButtonCount; ++b) changed = changed || page_.ItemNumber(b) != before[b];
    if (changed) {
        TransferOwnPictures();
    } else {
        for (int b = 0; b < buttons::kButtonCount; ++b) page_.SetItemNumber(b, 0);
    }
    return true;
}

int ButtonPager::CopyForward(PictureButtonTable& table, int from, bool& sawEmpty) const {
    for (int b = 0; b < buttons::kButtonCount && from < shown_; ++b) {
        table[from++] = {page_.ItemNumber(b), page_.Caption(b), page_.PictureName(b)};
        if (page_.ItemNumber(b) == 0) {
            sawEmpty = true;
            break;
        }
    }
    return from;
}

bool ButtonPager::Load(PictureButtonTable& table) {
    table = {};
    if (!FirstPage()) return false;
    bool sawEmpty = false;
    int filled = 0;
    for (int b = 0; b < buttons::kButtonCount; ++b) {
        table[filled++] = {page_.ItemNumber(b), page_.Caption(b), page_.PictureName(b)};
        sawEmpty = sawEmpty || page_.ItemNumber(b) == 0;
    }
    if (!sawEmpty && shown_ > buttons::kButtonCount) {
        page_.SetDirection(buttons::kForward);
        // A page that cannot be fetched ends the list where it is.
        while (!sawEmpty && filled < shown_ && NextPage()) filled = CopyForward(table, filled, sawEmpty);
    }
    for (int b = filled; b < kMaxPictureButtons; ++b) table[b] = {};
    return true;
}

void ButtonPager::Scroll(PictureButtonTable& table, bool forwards) {
    PictureButtonTable work{};
    if (forwards) {
        const std::int64_t last = table[shown_ - 1].item;
        if (last == 0) return;
        page_.SetDirection(buttons::kForward);
        page_.SetItemNumber(buttons::kButtonCount - 1, last);
        page_.SetCursor(last);
        int filled = 0;
        bool sawEmpty = false;
        do {
            if (!NextPage()) return;
            filled = CopyForward(work, filled, sawEmpty);
            if (work[0].item == 0) return;  // nothing after them: keep the buttons
        } while (!sawEmpty && filled < shown_);
        table = work;
        return;
    }
    const std::int64_t first = table[0].item;
    if (first == 0) return;
    page_.SetDirection(buttons::kBackward);
    page_.SetItemNumber(0, first);
    int placed = 0;
    do {
        if (!NextPage()) return;
        const int lowest = shown_ - placed;
        const std::int64_t lowestShown = lowest < kMaxPictureButtons ? work[lowest].item : 0;
        bool restart = page_.ItemNumber(0) == first;
        for (int b = 0; b < buttons::kButtonCount; ++b)
            restart = restart || page_.ItemNumber(b) == 0 || page_.ItemNumber(b) == lowestShown;
        if (restart) {
            Load(table);  // nothing before: back to the first page
            return;
        }
        for (int b = buttons::kButtonCount - 1; b >= 0 && placed < shown_; --b) {
            work[shown_ - placed - 1] = {page_.ItemNumber(b), page_.Caption(b), page_.PictureName(b)};
            ++placed;
        }
    } while (placed < shown_);
    table = work;
}

// ---- Drawing ------------------------------------------------------------------------

std::optional<PictureSize> LargePictureSize(int w, int h) {
    constexpr std::int64_t kSide = 300;
    if (w > 0 && h >= 0 && h / w < 2) return PictureSize{kSide, static_cast<int>(h * kSide / w)};
    if (w > 0 && h > 0) return PictureSize{static_cast<int>(w * kSide / h), kSide};
    return std::nullopt;
}

std::optional<std::vector<PaletteColour>> PaletteFromBitmapFile(std::span<const std::uint8_t> file) {
    constexpr std::size_t kFileHeader = 14, kInfoHeader = 40;
    if (file.size() < kFileHeader + kInfoHeader || file[0] != 'B' || file[1] != 'M') return std::nullopt;
    if (Little(file, kFileHeader, 4) != kInfoHeader) return std::nullopt;
    const std::uint32_t bits = Little(file, kFileHeader + 14, 2);
    std::uint32_t count = Little(file, kFileHeader + 32, 4);
    if (count == 0) count = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    std::vector<PaletteColour> palette;
    if (count > 0) {
        const std::size_t table = kFileHeader + kInfoHeader;
        if (count > 256 || table + 4 * std::size_t{count} > file.size()) return std::nullopt;
        for (std::size_t i = 0; i < count; ++i)  // stored blue, green, red, reserved
            palette.push_back({file[table + 4 * i + 2], file[table + 4 * i + 1], file[table + 4 * i]});
        return palette;
    }
    if (bits != 24) return std::nullopt;
    for (int i = 0; i < 256; ++i)
        palette.push_back({static_cast<std::uint8_t>(i % 8 * 32), static_cast<std::uint8_t>(i / 8 % 8 * 32),
                           static_cast<std::uint8_t>(i / 64 * 64)});
    return palette;
}
