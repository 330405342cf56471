#include "platform/ProfileText.h"

#include <algorithm>
#include <utility>

namespace {

constexpr unsigned LINE_FEED = '\n';
constexpr unsigned CARRIAGE_RETURN = '\r';
constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;
constexpr char32_t LAST_CODE_POINT = 0x10FFFF;
constexpr char32_t FIRST_SURROGATE = 0xD800;
constexpr char32_t FIRST_LOW_SURROGATE = 0xDC00;
constexpr char32_t LAST_SURROGATE = 0xDFFF;
constexpr char32_t FIRST_SUPPLEMENTARY = 0x10000;

bool isBlank(unsigned c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && isBlank(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < FIRST_SUPPLEMENTARY) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The code point that starts at text[i], moving i past it; a byte that
// starts no well-formed sequence gives the replacement character.
char32_t nextCodePoint(const std::string& text, std::size_t& i) {
    const unsigned char first = static_cast<unsigned char>(text[i++]);
    if (first < 0x80) return first;
    int following = 0;
    char32_t c = 0;
    if (first >= 0xC2 && first < 0xE0) {
        following = 1;
        c = first & 0x1F;
    } else if (first >= 0xE0 && first < 0xF0) {
        following = 2;
        c = first & 0x0F;
    } else if (first >= 0xF0 && first < 0xF5) {
        following = 3;
        c = first & 0x07;
    } else {
        return REPLACEMENT_CHARACTER;
    }
    for (int k = 0; k < following; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return REPLACEMENT_CHARACTER;
        c = c << 6 | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    const bool overlong = (following == 2 && c < 0x800) || (following == 3 && c < FIRST_SUPPLEMENTARY);
    if (overlong || c > LAST_CODE_POINT || (c >= FIRST_SURROGATE && c <= LAST_SURROGATE))
        return REPLACEMENT_CHARACTER;
    return c;
}

}  // namespace

ProfileText::ProfileText(std::string bytes, bool whole) : bytes_(std::move(bytes)), whole_(whole) {
    const auto startsWith = [this](const std::string& mark) { return bytes_.compare(0, mark.size(), mark) == 0; };
    if (startsWith("\xFF\xFE") || startsWith("\xFE\xFF")) {
        encoding_ = bytes_[0] == '\xFF' ? Encoding::Utf16Le : Encoding::Utf16Be;
        bomBytes_ = unitBytes_ = 2;
    } else if (startsWith("\xEF\xBB\xBF")) {
        bomBytes_ = 3;
    }
    units_ = (bytes_.size() - std::min(bomBytes_, bytes_.size())) / unitBytes_;
}

unsigned ProfileText::unit(std::size_t index) const {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes_.data()) + byteAt(index);
    switch (encoding_) {
    case Encoding::Utf16Le:
        return b[0] | b[1] << 8;
    case Encoding::Utf16Be:
        return b[0] << 8 | b[1];
    default:
        return b[0];
    }
}

bool ProfileText::lineAt(std::size_t begin, Line& line) const {
    if (begin >= units_) return false;
    std::size_t end = begin;
    while (end < units_ && unit(end) != LINE_FEED && unit(end) != CARRIAGE_RETURN) ++end;
    std::size_t next = end;
    if (end < units_) {
        ++next;
        if (unit(end) == CARRIAGE_RETURN) {
            // A CR at the very end of a file's start may be half of a CR LF.
            if (next == units_ && !whole_) return false;
            if (next < units_ && unit(next) == LINE_FEED) ++next;
        }
    } else if (!whole_) {
        return false;
    }
    line = {{begin, end}, next};
    return true;
}

ProfileText::Range ProfileText::trimmed(Range range) const {
    while (range.begin < range.end && isBlank(unit(range.begin))) ++range.begin;
    while (range.end > range.begin && isBlank(unit(range.end - 1))) --range.end;
    return range;
}

std::size_t ProfileText::find(Range range, unsigned wanted) const {
    for (std::size_t i = range.begin; i < range.end; ++i)
        if (unit(i) == wanted) return i;
    return std::string::npos;
}

std::string ProfileText::decode(Range range) const {
    if (encoding_ == Encoding::Bytes) return bytes_.substr(byteAt(range.begin), range.end - range.begin);
    std::string text;
    for (std::size_t i = range.begin; i < range.end; ++i) {
        char32_t c = unit(i);
        if (c >= FIRST_SURROGATE && c < FIRST_LOW_SURROGATE && i + 1 < range.end &&
            unit(i + 1) >= FIRST_LOW_SURROGATE && unit(i + 1) <= LAST_SURROGATE) {
            c = FIRST_SUPPLEMENTARY + ((c - FIRST_SURROGATE) << 10) + (unit(++i) - FIRST_LOW_SURROGATE);
        } else if (c >= FIRST_SURROGATE && c <= LAST_SURROGATE) {
            c = REPLACEMENT_CHARACTER;
        }
        appendUtf8(text, c);
    }
    return text;
}

std::string ProfileText::encode(const std::string& utf8) const {
    if (encoding_ == Encoding::Bytes) return utf8;
    std::string out;
    const auto put = [&](char32_t u) {
        const char high = static_cast<char>(u >> 8);
        const char low = static_cast<char>(u & 0xFF);
        out += encoding_ == Encoding::Utf16Le ? low : high;
        out += encoding_ == Encoding::Utf16Le ? high : low;
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = nextCodePoint(utf8, i);
        if (c < FIRST_SUPPLEMENTARY) {
            put(c);
        } else {
            put(FIRST_SURROGATE + ((c - FIRST_SUPPLEMENTARY) >> 10));
            put(FIRST_LOW_SURROGATE + ((c - FIRST_SUPPLEMENTARY) & 0x3FF));
        }
    }
    return out;
}

// The file's own line end, taken from its first line; LF for a file that has none.
std::string ProfileText::lineEnding() const {
    for (std::size_t i = 0; i < units_; ++i) {
        if (unit(i) == LINE_FEED) break;
        if (unit(i) == CARRIAGE_RETURN)
            return encode(i + 1 < units_ && unit(i + 1) == LINE_FEED ? "\r\n" : "\r");
    }
    return encode("\n");
}

bool ProfileText::sameName(Range range, const std::string& name) const {
    const std::string text = decode(trimmed(range));
    return std::equal(text.begin(), text.end(), name.begin(), name.end(),
                      [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
}

ProfileText::Place ProfileText::locate(const std::string& section, const std::string& key) const {
    const std::string sectionName = trim(section);
    const std::string keyName = trim(key);
    Place place;
    bool inSection = false;
    bool lastLineUnfinished = false;
    std::size_t firstSection = std::string::npos;
    std::size_t at = 0;
    for (Line line; lineAt(at, line); at = line.next) {
        const Range text = trimmed(line.text);
        const bool unfinished = line.next == line.text.end;
        const std::size_t close =
            text.begin < text.end && unit(text.begin) == '[' ? find(text, ']') : std::string::npos;
        if (close != std::string::npos) {
            // The first section of the name ends where the next one opens.
            if (inSection) return place;
            firstSection = std::min(firstSection, line.text.begin);
            if (sameName({text.begin + 1, close}, sectionName)) {
                inSection = place.sectionFound = true;
                place.insertAt = line.next;
                place.afterUnfinishedLine = unfinished;
            }
        } else if (inSection && text.begin < text.end) {
            const std::size_t equals = find(line.text, '=');
            if (equals != std::string::npos && sameName({line.text.begin, equals}, keyName)) {
                place.value = trimmed({equals + 1, line.text.end});
                return place;
            }
            // A new key goes after the section's last key, before the
            // comments that lead to the next section.
            if (unit(text.begin) != ';' && unit(text.begin) != '#') {
                place.insertAt = line.next;
                place.afterUnfinishedLine = unfinished;
            }
        }
        lastLineUnfinished = unfinished;
    }
    // Past the start of a large file a reading never comes, so there a new
    // section goes before the first one.
    if (!place.sectionFound && !whole_ && firstSection != std::string::npos) {
        place.insertAt = firstSection;
    } else if (!place.sectionFound) {
        place.insertAt = at;
        place.afterUnfinishedLine = lastLineUnfinished;
    }
    return place;
}

std::optional<std::string> ProfileText::value(const std::string& section, const std::string& key) const {
    const Place place = locate(section, key);
    if (!place.value) return std::nullopt;
    std::string text = decode(*place.value);
    text.resize(std::min(text.size(), text.find('\0')));
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return text;
}

std::string ProfileText::withValue(const std::string& section, const std::string& key,
                                   const std::string& value) const {
    const Place place = locate(section, key);
    if (place.value) {
        const std::size_t from = byteAt(place.value->begin);
        return bytes_.substr(0, from) + encode(value) + bytes_.substr(byteAt(place.value->end));
    }
    const std::string end = lineEnding();
    std::string added = place.afterUnfinishedLine ? end : "";
    if (!place.sectionFound) {
        std::string header(1, '[');
        header += trim(section);
        header += ']';
        added += encode(header) + end;
    }
    added += encode(trim(key) + "=" + value) + end;
    std::string text = bytes_;
    return text.insert(std::min(byteAt(place.insertAt), text.size()), added);
}
