#pragma once

#include <cstddef>
#include <string>

// Profile strings: keys in [sections] of an INI file, read and written the
// way Windows does it. Section and key names match without regard to case;
// blanks around names and values do not count.

// The key's text, or defaultText when the file, section or key is missing.
// A value wrapped in a matching pair of quotes is read without them; the
// result is cut to bufferSize - 1 characters.
std::string getProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultText, std::size_t bufferSize,
                             const std::string& path);

// Replaces the key's value where it stands, adds a new key at the end of its
// section and a new section at the end of the file, creates a missing file,
// and keeps every other key, section and comment. False when the file could
// not be read or written; the file is then left as it was.
bool writeProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path);
