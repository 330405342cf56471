#pragma once

#include "support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// The shell command that runs one of the build's asset generators.
inline std::string generatorCommand(const std::string& program, const std::filesystem::path& folder) {
    // Built by appending: GCC 12 warns falsely about "'" + std::string.
    std::string command(1, '\'');
    command += (std::filesystem::path(KORV_GAME_DIR).parent_path() / "tools" / program).string();
    command += "' '";
    command += folder.string();
    command += '\'';
    return command;
}

// Runs the generator twice into fresh folders and expects every file it
// writes to be the same both times and the same as in the run folder.
// Returns how many files it wrote.
inline int expectGeneratorRepeatsTheRunFolder(const std::string& program) {
    TempDirectory first, second;
    for (const TempDirectory* folder : {&first, &second})
        EXPECT_EQ(std::system(generatorCommand(program, folder->path()).c_str()), 0);
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(first.path())) {
        if (!entry.is_regular_file()) continue;
        const std::filesystem::path relative = std::filesystem::relative(entry.path(), first.path());
        SCOPED_TRACE(relative.string());
        const std::string bytes = readTextFile(entry.path());
        EXPECT_TRUE(bytes == readTextFile(second.path() / relative));
        EXPECT_TRUE(bytes == readTextFile(std::filesystem::path(KORV_GAME_DIR) / relative));
        ++files;
    }
    return files;
}
