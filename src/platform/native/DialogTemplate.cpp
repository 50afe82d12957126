#include "platform/native/DialogTemplate.h"

namespace {

constexpr std::uint16_t kExtendedVersion = 1;
constexpr std::uint16_t kExtendedSignature = 0xFFFF;
// DS_SETFONT, also part of DS_SHELLFONT: the header ends with a font description.
constexpr std::uint32_t kSetFont = 0x40;

// The predefined window classes that a template may name by ordinal.
std::u16string ClassOfOrdinal(std::uint16_t ordinal) {
    switch (ordinal) {
    case 0x0080:
        return u"Button";
    case 0x0081:
        return u"Edit";
    case 0x0082:
        return u"Static";
    case 0x0083:
        return u"ListBox";
    case 0x0084:
        return u"ScrollBar";
    case 0x0085:
        return u"ComboBox";
    default:
        return u"";
    }
}

// Reads little-endian fields in order and remembers when any read ran past the end, so a parse
// checks once instead of after every field.
class TemplateReader {
public:
    explicit TemplateReader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

    bool Ok() const { return ok_; }

    std::uint16_t Word() {
        const std::uint16_t value = Peek();
        Skip(2);
        return value;
    }

    std::uint32_t Dword() {
        const std::uint32_t low = Word();
        return low | (static_cast<std::uint32_t>(Word()) << 16);
    }

    std::int16_t Short() { return static_cast<std::int16_t>(Word()); }

    void Skip(std::size_t count) {
        if (Has(count)) {
            offset_ += count;
        }
    }

    // Items start on a 32-bit boundary of the template.
    void AlignToDword() { Skip(((offset_ + 3) & ~std::size_t{3}) - offset_); }

    // A zero-terminated UTF-16 text.
    std::u16string Text() {
        std::u16string text;
        for (std::uint16_t unit = Word(); ok_ && unit != 0; unit = Word()) {
            text.push_back(static_cast<char16_t>(unit));
        }
        return text;
    }

    // A name-or-ordinal field: 0 (none), 0xFFFF and an ordinal, or a text. The ordinal comes back
    // through the out argument, 0 for the other forms.
    std::u16string NameOrOrdinal(std::uint16_t& ordinal) {
        ordinal = 0;
        const std::uint16_t first = Peek();
        if (first == 0) {
            Skip(2);
            return u"";
        }
        if (first == 0xFFFF) {
            Skip(2);
            ordinal = Word();
            return u"";
        }
        return Text();
    }

    DialogUnitRect Rect() {
        DialogUnitRect rect;
        rect.x = Short();
        rect.y = Short();
        rect.cx = Short();
        rect.cy = Short();
        return rect;
    }

private:
    // The next word without consuming it; 0 past the end (and the reader is then not Ok).
    std::uint16_t Peek() {
        if (!Has(2)) {
            return 0;
        }
        return static_cast<std::uint16_t>(bytes_[offset_] | (bytes_[offset_ + 1] << 8));
    }

    bool Has(std::size_t count) {
        if (offset_ + count > bytes_.size()) {
            ok_ = false;
        }
        return ok_;
    }

    std::span<const unsigned char> bytes_;
    std::size_t offset_ = 0;
    bool ok_ = true;
};

DialogItemTemplate ReadItem(TemplateReader& reader) {
    DialogItemTemplate item;
    reader.AlignToDword();
    reader.Dword(); // help ID
    item.exStyle = reader.Dword();
    item.style = reader.Dword();
    item.rect = reader.Rect();
    item.id = static_cast<std::int32_t>(reader.Dword());
    std::uint16_t ordinal = 0;
    item.className = reader.NameOrOrdinal(ordinal);
    if (ordinal != 0) {
        item.className = ClassOfOrdinal(ordinal);
    }
    item.text = reader.NameOrOrdinal(ordinal);
    reader.Skip(reader.Word()); // creation data
    return item;
}

} // namespace

bool DialogTemplate::Parse(std::span<const unsigned char> bytes) {
    items.clear();
    TemplateReader reader(bytes);
    const std::uint16_t version = reader.Word();
    const std::uint16_t signature = reader.Word();
    if (!reader.Ok() || version != kExtendedVersion || signature != kExtendedSignature) {
        return false;
    }
    reader.Dword(); // help ID
    exStyle = reader.Dword();
    style = reader.Dword();
    const std::uint16_t itemCount = reader.Word();
    rect = reader.Rect();
    std::uint16_t ordinal = 0;
    reader.NameOrOrdinal(ordinal); // menu
    reader.NameOrOrdinal(ordinal); // window class
    title = reader.Text();
    if (style & kSetFont) {
        reader.Skip(6); // point size, weight, italic, character set
        reader.Text();  // typeface
    }
    for (std::uint16_t i = 0; i < itemCount && reader.Ok(); ++i) {
        items.push_back(ReadItem(reader));
    }
    return reader.Ok();
}
