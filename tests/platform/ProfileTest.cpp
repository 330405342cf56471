#include "platform/Profile.h"

#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

constexpr std::size_t BUFFER = 128;

TEST(Profile, ReadsMatchNamesWithoutCaseAndIgnoreBlanks) {
    TempDirectory dir;
    const std::string path = dir.file("a.ini");
    writeTextFile(path, "[SCREEN]\n  Width =  800  \nheight=600 ; note\n");
    EXPECT_EQ(getProfileString("Screen", "width", "none", BUFFER, path), "800");
    EXPECT_EQ(getProfileString("screen", "HEIGHT", "none", BUFFER, path), "600 ; note");
}

TEST(Profile, MissingFileSectionOrKeyGivesTheDefault) {
    TempDirectory dir;
    const std::string path = dir.file("a.ini");
    EXPECT_EQ(getProfileString("Screen", "width", "none", BUFFER, path), "none");
    writeTextFile(path, "[Other]\nwidth=800\n");
    EXPECT_EQ(getProfileString("Screen", "width", "none", BUFFER, path), "none");
    EXPECT_EQ(getProfileString("Other", "height", "dflt", BUFFER, path), "dflt");
}

TEST(Profile, MatchingQuotesAreStrippedAndLongValuesCut) {
    TempDirectory dir;
    const std::string path = dir.file("a.ini");
    writeTextFile(path, "[s]\nd=\"quoted text\"\nq='single'\nm=\"mixed'\nlong=abcdefghij\n");
    EXPECT_EQ(getProfileString("s", "d", "", BUFFER, path), "quoted text");
    EXPECT_EQ(getProfileString("s", "q", "", BUFFER, path), "single");
    EXPECT_EQ(getProfileString("s", "m", "", BUFFER, path), "\"mixed'");
    EXPECT_EQ(getProfileString("s", "long", "", 5, path), "abcd");
    EXPECT_EQ(getProfileString("s", "missing", "defaulttext", 5, path), "defa");
}

TEST(Profile, WritingCreatesTheFileAndAddsKeysInOrder) {
    TempDirectory dir;
    const std::string path = dir.file("new.ini");
    ASSERT_TRUE(writeProfileString("Screen", "width", "1024", path));
    ASSERT_TRUE(writeProfileString("Screen", "height", "768", path));
    ASSERT_TRUE(writeProfileString("Other", "x", "1", path));
    const std::string text = readTextFile(path);
    EXPECT_NE(text.find("[Screen]\nwidth=1024\nheight=768\n"), std::string::npos) << text;
    EXPECT_GT(text.find("[Other]\nx=1"), text.find("height=768")) << text;
}

TEST(Profile, RewritingKeepsCommentsSectionsAndOtherKeysWhereTheyStand) {
    TempDirectory dir;
    const std::string path = dir.file("edited.ini");
    writeTextFile(path,
              "; settings, edited by hand\n"
              "[Sound]\nvolume=7\n\n"
              "; the screen\n[screen]\nWIDTH=800\n; keep me\nColour=blue\n"
              "[Last]\nz=1\n; the very end\n");
    ASSERT_TRUE(writeProfileString("Screen", "width", "1024", path));
    ASSERT_TRUE(writeProfileString("Screen", "multisample", "4", path));
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
