#include "platform/Profile.h"

#include "support/TempDirectory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <vector>

namespace {

constexpr std::size_t BUFFER = 128;

TEST(Profile, ReadsKeysOfTheirOwnSectionStripQuotesAndCutToTheBuffer) {
    TempDirectory dir;
    const std::string path = dir.file("a.ini");
    writeTextFile(path, "[SCREEN]\nheight=600 ; note\n[Other]\nx=1\n"
                        "[s]\nd=\"quoted text\"\nq='single'\nm=\"mixed'\nlong=abcdefghij\n");
    const struct {
        const char *section, *key, *fallback;
        std::size_t size;
        const char* value;
    } reads[] = {
        {"screen", "HEIGHT", "none", BUFFER, "600 ; note"},
        {"Screen", "x", "none", BUFFER, "none"},
        {"s", "d", "", BUFFER, "quoted text"},
        {"s", "q", "", BUFFER, "single"},
        {"s", "m", "", BUFFER, "\"mixed'"},
        {"s", "long", "", 5, "abcd"},
        {"s", "missing", "defaulttext", 5, "defa"},
    };
    for (const auto& r : reads)
        EXPECT_EQ(getProfileString(r.section, r.key, r.fallback, r.size, path), r.value) << r.section << "/" << r.key;
}

// The text in UTF-16 after its byte-order mark, each byte taken as a character.
std::string utf16(const std::string& latin1, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : latin1) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return bytes;
}

TEST(Profile, ASaveChangesOnlyTheKeysValueOrAddsItsLine) {
    using namespace std::string_literals;
    std::string large = "[Screen]\nwidth=800\n[Big]\n";
    while (large.size() < (3 << 20)) large += "key=a value that fills the file\n";
    const struct {
        const char* what;
        std::string before;
        const char *key, *value;
        std::string after;
    } cases[] = {
        {"spacing and a note kept around the value, a commented-out key left alone",
         "; width=1\n[Screen]\n  Width = 800 ; old\n; height=1\n\n[Players]\nname=Ana\n", "width", "1024",
         "; width=1\n[Screen]\n  Width = 1024\n; height=1\n\n[Players]\nname=Ana\n"},
        {"a new key after the section's last key, before the comments that follow it",
         "[Screen]\nwidth=800\n; height=1\n\n[Players]\n", "height", "600",
         "[Screen]\nwidth=800\nheight=600\n; height=1\n\n[Players]\n"},
        {"CR LF, a new section after a last line without its line end", "[Players]\r\nname=Ana", "width",
         "1024", "[Players]\r\nname=Ana\r\n[Screen]\r\nwidth=1024\r\n"},
        {"a lone CR ends a comment line", "[Other]\nx=1\n; note\r[Screen]\rwidth=800\r", "width", "1024",
         "[Other]\nx=1\n; note\r[Screen]\rwidth=1024\r"},
        {"NUL and invalid bytes, the value read up to its NUL", "[Screen]\nx=\0\xff\nwidth=800\0\n[Other]\n\0\xfe\0\n"s, "width", "1024",
         "[Screen]\nx=\0\xff\nwidth=1024\n[Other]\n\0\xfe\0\n"s},
        {"the first of duplicates", "[screen]\nWIDTH=800\nwidth=900\n[Screen]\nwidth=1000\n", "width", "1024",
         "[screen]\nWIDTH=1024\nwidth=900\n[Screen]\nwidth=1000\n"},
        {"UTF-16 LE", utf16("[Screen]\r\nwidth=800\r\n; Zo\xE9\r\n", false), "width", "1024",
         utf16("[Screen]\r\nwidth=1024\r\n; Zo\xE9\r\n", false)},
        {"UTF-16 BE, a new key", utf16("[Screen]\nwidth=800\n", true), "name", "Zo\xC3\xA9",
         utf16("[Screen]\nwidth=800\nname=Zo\xE9\n", true)},
        {"a file of several MiB", large, "width", "1024", "[Screen]\nwidth=1024" + large.substr(18)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDirectory dir;
        const std::string path = dir.file("config.ini");
        writeTextFile(path, c.before);
        ASSERT_TRUE(writeProfileString("Screen", c.key, c.value, path));
        EXPECT_TRUE(readTextFile(path) == c.after);
        EXPECT_EQ(getProfileString("Screen", c.key, "none", BUFFER, path), c.value);
    }
}

TEST(Profile, ASymbolicLinksTargetIsWritten) {
    TempDirectory dir;
    const std::string target = dir.file("real/config.ini");
    writeTextFile(target, "[Screen]\nwidth=800\n");
    std::filesystem::create_symlink("real/config.ini", dir.file("config.ini"));
    ASSERT_TRUE(writeProfileString("Screen", "width", "1024", dir.file("config.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("config.ini")));
    EXPECT_EQ(readTextFile(target), "[Screen]\nwidth=1024\n");
}

TEST(Profile, WhatCannotBeSavedIsReportedAndEverythingStaysAsItWas) {
    using Make = void (*)(const std::string& path);
    const Make settingsFile = [](const std::string& path) { writeTextFile(path, "[Screen]\nwidth=800\n"); };
    const struct {
        const char* what;
        Make make;
        const char *value, *read;
    } cases[] = {
        {"a folder", [](const std::string& path) { std::filesystem::create_directories(path); }, "1024", "none"},
        {"a pipe, which a reading must not wait on",
         [](const std::string& path) {
             std::filesystem::create_directories(std::filesystem::path(path).parent_path());
             ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
         },
         "1024", "none"},
        {"a read-only file",
         [](const std::string& path) {
             writeTextFile(path, "[Screen]\nwidth=800\n");
             std::filesystem::permissions(path, std::filesystem::perms::owner_read);
         },
         "1024", "800"},
        {"a file where its folder should be",
         [](const std::string& path) { writeTextFile(std::filesystem::path(path).parent_path().string(), ""); },
         "1024", "none"},
        {"a value that would break its line", settingsFile, "1024\n[Other]", "800"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDirectory dir;
        const std::string path = dir.file("Data/config.ini");
        c.make(path);
        const auto listing = [&] {
            std::vector<std::string> names;
            for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
                names.push_back(entry.path().string() + (entry.is_regular_file() ? readTextFile(entry.path()) : ""));
            return names;
        };
        const std::vector<std::string> before = listing();
        std::string failure;
        EXPECT_FALSE(writeProfileString("Screen", "width", c.value, path, &failure));
        EXPECT_FALSE(failure.empty());
        EXPECT_EQ(listing(), before);
        EXPECT_EQ(getProfileString("Screen", "width", "none", BUFFER, path), c.read);
    }
}

}  // namespace
