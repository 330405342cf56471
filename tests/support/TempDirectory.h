#pragma once

#include <filesystem>
#include <string>

// A fresh directory for one test's files, removed with everything in it
// when the test ends.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    // The path of a file inside the directory.
    std::string file(const std::string& name) const;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};
