#pragma once

#include <cstddef>
#include <optional>
#include <string>

// The text of a settings file as the profile functions see it: lines that
// end at LF, CR LF or a lone CR, in single bytes or, after a UTF-16
// byte-order mark, in UTF-16 of either byte order. A line whose first
// non-blank character is '[' and which holds a ']' opens a section; a line
// holding '=' is a key. Only the first section of a name counts, and in it
// only the first key of a name. Every byte is kept as it was, except the
// one value a change replaces.
class ProfileText {
public:
    // The bytes are the whole file when whole is true, otherwise only its
    // start: their last, unfinished line is then nobody's key.
    ProfileText(std::string bytes, bool whole);

    // The key's value (blanks around it dropped, a matching pair of quotes
    // taken off, cut at a NUL) in UTF-8, or nothing when it is missing.
    std::optional<std::string> value(const std::string& section, const std::string& key) const;

    // The bytes with the key's value replaced where it stands; a new key
    // goes after the last key of its section, a new section at the end of
    // the text, or before the first section when the text is only the start
    // of its file. Names and value are UTF-8, written in the file's encoding.
    std::string withValue(const std::string& section, const std::string& key,
                          const std::string& value) const;

private:
    enum class Encoding { Bytes, Utf16Le, Utf16Be };

    // Positions in code units, after the byte-order mark.
    struct Range {
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    struct Line {
        Range text;
        std::size_t next = 0;  // where the following line starts
    };
    struct Place {
        std::optional<Range> value;  // the key's value, when the key is there
        bool sectionFound = false;
        std::size_t insertAt = 0;  // where a new key or section goes
        bool afterUnfinishedLine = false;  // the line before insertAt has no line end
    };

    unsigned unit(std::size_t index) const;
    std::size_t byteAt(std::size_t index) const { return bomBytes_ + index * unitBytes_; }
    bool lineAt(std::size_t begin, Line& line) const;
    Range trimmed(Range range) const;
    std::size_t find(Range range, unsigned wanted) const;
    std::string decode(Range range) const;
    std::string encode(const std::string& utf8) const;
    std::string lineEnding() const;
    bool sameName(Range range, const std::string& name) const;
    Place locate(const std::string& section, const std::string& key) const;

    std::string bytes_;
    bool whole_;
    Encoding encoding_ = Encoding::Bytes;
    std::size_t bomBytes_ = 0;
    std::size_t unitBytes_ = 1;
    std::size_t units_ = 0;
};
