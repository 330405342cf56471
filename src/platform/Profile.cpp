#include "platform/Profile.h"

#include <SimpleIni.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool isCommentOrBlank(const std::string& line) {
    const std::string text = trim(line);
    return text.empty() || text[0] == ';' || text[0] == '#';
}

// The library keeps a comment only when a section or key follows it, so the
// comment lines at the very end of a file are read here and put back after
// the library has written the rest.
std::vector<std::string> trailingComments(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    std::size_t first = lines.size();
    while (first > 0 && isCommentOrBlank(lines[first - 1])) --first;
    std::vector<std::string> comments;
    for (std::size_t i = first; i < lines.size(); ++i)
        if (!trim(lines[i]).empty()) comments.push_back(lines[i]);
    return comments;
}

}  // namespace

std::string getProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultText, std::size_t bufferSize,
                             const std::string& path) {
    if (bufferSize == 0) return {};
    CSimpleIniA ini;
    std::string text = defaultText;
    if (ini.LoadFile(path.c_str()) >= 0) {
        const char* value = ini.GetValue(section.c_str(), key.c_str(), nullptr);
        if (value != nullptr) {
            text = trim(value);
            if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                text.back() == text.front())
                text = text.substr(1, text.size() - 2);
        }
    }
    if (text.size() > bufferSize - 1) text.resize(bufferSize - 1);
    return text;
}

bool writeProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
    CSimpleIniA ini;
    ini.SetSpaces(false);
    std::error_code ignored;
    const bool exists = std::filesystem::exists(path, ignored);
    if (exists && ini.LoadFile(path.c_str()) < 0) return false;
    const std::vector<std::string> comments = exists ? trailingComments(path) : std::vector<std::string>{};

    ini.SetValue(section.c_str(), key.c_str(), value.c_str());
    std::string text;
    if (ini.Save(text) < 0) return false;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    text += '\n';
    for (const std::string& comment : comments) text += comment + '\n';

    // Written beside the file and renamed over it, so a failed write never
    // leaves half a file.
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << text;
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::filesystem::rename(temporary, path, ignored);
    if (ignored) {
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}
