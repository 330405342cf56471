#include "platform/Profile.h"

#include "support/TempDirectory.h"

#include <gtest/gtest.h>

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

// Rewriting keeps what was edited by hand: checked with the settings that use it.
TEST(Profile, AnUnreadableFileIsLeftAsItWas) {
    TempDirectory dir;
    const std::string path = dir.file("nodir/a.ini");
    EXPECT_FALSE(writeProfileString("Screen", "width", "1", path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
