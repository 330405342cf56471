#include "platform/Profile.h"

#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

constexpr std::size_t BUFFER = 128;

TEST(Profile, ReadsMatchNamesWithoutCaseStripQuotesCutToTheBufferAndElseGiveTheDefault) {
    TempDirectory dir;
    const std::string path = dir.file("a.ini");
    EXPECT_EQ(getProfileString("Screen", "width", "none", BUFFER, path), "none");
    writeTextFile(path, "[SCREEN]\n  Width =  800  \nheight=600 ; note\n[Other]\nx=1\n"
                        "[s]\nd=\"quoted text\"\nq='single'\nm=\"mixed'\nlong=abcdefghij\n");
    const struct {
        const char *section, *key, *fallback;
        std::size_t size;
        const char* value;
    } reads[] = {
        {"Screen", "width", "none", BUFFER, "800"},
        {"screen", "HEIGHT", "none", BUFFER, "600 ; note"},
        {"Screen", "x", "none", BUFFER, "none"},
        {"Missing", "width", "dflt", BUFFER, "dflt"},
        {"s", "d", "", BUFFER, "quoted text"},
        {"s", "q", "", BUFFER, "single"},
        {"s", "m", "", BUFFER, "\"mixed'"},
        {"s", "long", "", 5, "abcd"},
        {"s", "missing", "defaulttext", 5, "defa"},
    };
    for (const auto& r : reads)
        EXPECT_EQ(getProfileString(r.section, r.key, r.fallback, r.size, path), r.value) << r.section << "/" << r.key;
}

// Writing a new file is checked with the settings that use it.
TEST(Profile, RewritingKeepsCommentsSectionsAndOtherKeysWhereTheyStandAndAddsNewOnesAtTheEnd) {
    TempDirectory dir;
    const std::string path = dir.file("edited.ini");
    writeTextFile(path,
              "; settings, edited by hand\n"
              "[Sound]\nvolume=7\n\n"
              "; the screen\n[screen]\nWIDTH=800\n; keep me\nColour=blue\n"
              "[Last]\nz=1\n; the very end\n");
    ASSERT_TRUE(writeProfileString("Screen", "width", "1024", path));
    ASSERT_TRUE(writeProfileString("Screen", "multisample", "4", path));
    ASSERT_TRUE(writeProfileString("Sound", "music", "on", path));
    ASSERT_TRUE(writeProfileString("New", "x", "1", path));
    const std::string text = readTextFile(path);
    for (const char* kept : {"; settings, edited by hand", "[Sound]", "volume=7", "; the screen",
                             "; keep me", "Colour=blue", "[Last]", "z=1", "; the very end"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept << " lost from\n" << text;
    // Replaced where it stood under its own spelling; the new key closes its section.
    const auto width = text.find("WIDTH=1024\n");
    ASSERT_NE(width, std::string::npos) << text;
    EXPECT_LT(width, text.find("; keep me"));
    EXPECT_LT(text.find("Colour=blue"), text.find("multisample=4\n"));
    EXPECT_LT(text.find("multisample=4\n"), text.find("[Last]"));
    EXPECT_NE(text.find("volume=7\nmusic=on\n"), std::string::npos) << text;
    EXPECT_GT(text.find("[New]\nx=1"), text.find("z=1")) << text;
    EXPECT_EQ(text.find("800"), std::string::npos) << text;
    EXPECT_EQ(getProfileString("SCREEN", "Width", "", BUFFER, path), "1024");
}

TEST(Profile, AnUnreadableFileIsLeftAsItWas) {
    TempDirectory dir;
    const std::string path = dir.file("nodir/a.ini");
    EXPECT_FALSE(writeProfileString("Screen", "width", "1", path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
