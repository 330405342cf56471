#pragma once

#include <cstddef>
#include <string>

// Profile strings: keys in [sections] of an INI file, read and written the
// way Windows does it. Section and key names match without regard to case;
// blanks around names and values do not count. Lines end at LF, CR LF or a
// lone CR; a file that starts with a UTF-16 byte-order mark is UTF-16, and
// names and values pass in and out as UTF-8. Of sections or keys that share
// a name, the first is read and rewritten. Only the first MiB of a file
// holds settings: what lies beyond is never read, and a save copies it as
// it is.

// The key's text, or defaultText when the file, section or key is missing,
// or when the path names something other than a regular file. A value
// wrapped in a matching pair of quotes is read without them; the result
// stops at a NUL and is cut to bufferSize - 1 characters.
std::string getProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultText, std::size_t bufferSize,
                             const std::string& path);

// Replaces the key's value where it stands, adds a new key after the last key
// of its section and a new section at the end of the file, and keeps every
// other byte. A missing file is created, with its missing folders; a
// symbolic link is followed and its target replaced. The new file is
// written beside the old one and renamed over it, so a failed save leaves
// the old file whole. False, with the reason in failure when given, when
// the file could not be written, is read-only or is not a regular file, or
// when the names or the value could not be read back (a line break or NUL
// in any of them, '=' in the key, ']' in the section, an empty name).
bool writeProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path,
                        std::string* failure = nullptr);

// Why the file at path cannot be read for settings (a folder, a device,
// no permission), or an empty text when it can or when it is missing.
std::string profileFileProblem(const std::string& path);
