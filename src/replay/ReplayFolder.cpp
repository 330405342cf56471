#include "replay/ReplayFolder.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

constexpr const char* NAME_FORMAT = "%Y-%m-%d_%H-%M-%S";
// What NAME_FORMAT makes of a time of years 1000 to 9999.
constexpr std::size_t STAMP_LENGTH = sizeof("2026-12-07_22-53-41") - 1;
// Room for NAME_FORMAT's output in any year.
constexpr std::size_t STAMP_BUFFER_SIZE = 64;
constexpr char TAKEN_SEPARATOR = '-';
constexpr unsigned FIRST_TAKEN_NUMBER = 2;
// More digits than this are not a number newReplayPath appended.
constexpr std::size_t MAX_NUMBER_DIGITS = 9;

bool isReplayName(const std::string& name) {
    const std::string extension = ReplayFolder::EXTENSION;
    return name.size() > extension.size() && name.ends_with(extension);
}

// A name sorts by its time, then by the number appended when the time was
// taken (none counts as the first).
std::pair<std::string, unsigned long> sortKey(const std::string& name) {
    const std::string stem = name.substr(0, name.size() - std::char_traits<char>::length(ReplayFolder::EXTENSION));
    const std::size_t numberAt = STAMP_LENGTH + 1;
    const bool numbered = stem.size() > numberAt && stem.size() - numberAt <= MAX_NUMBER_DIGITS &&
                          stem[STAMP_LENGTH] == TAKEN_SEPARATOR &&
                          std::all_of(stem.begin() + numberAt, stem.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!numbered) return {stem, FIRST_TAKEN_NUMBER - 1};
    return {stem.substr(0, STAMP_LENGTH), std::stoul(stem.substr(numberAt))};
}

}  // namespace

ReplayFolder::ReplayFolder(std::string path) : path_(std::move(path)) {}

const std::string& ReplayFolder::path() const { return path_; }

std::string ReplayFolder::newReplayPath(std::int64_t startedAt, std::string& error) const {
    std::error_code failure;
    fs::create_directories(path_, failure);
    if (failure || !fs::is_directory(path_, failure)) {
        error = "cannot make the replay folder " + path_ + ": " +
                (failure ? failure.message() : std::string("not a folder"));
        return {};
    }
    // std::localtime's shared result is used at once, before any other
    // call could change it.
    const std::time_t time = static_cast<std::time_t>(startedAt);
    const std::tm* local = std::localtime(&time);
    char stamp[STAMP_BUFFER_SIZE];
    if (local == nullptr || std::strftime(stamp, sizeof stamp, NAME_FORMAT, local) == 0) {
        error = "the start time " + std::to_string(startedAt) + " has no date";
        return {};
    }
    fs::path candidate = fs::path(path_) / (stamp + std::string(EXTENSION));
    for (unsigned number = FIRST_TAKEN_NUMBER; fs::exists(fs::symlink_status(candidate, failure)); ++number)
        candidate = fs::path(path_) / (stamp + (TAKEN_SEPARATOR + std::to_string(number)) + EXTENSION);
    return candidate.string();
}

std::vector<std::string> ReplayFolder::list() const {
    std::vector<std::string> names;
    std::error_code failure;
    for (fs::directory_iterator entry(path_, failure), end; !failure && entry != end; entry.increment(failure)) {
        std::error_code unreadable;
        if (std::string name = entry->path().filename().string();
            isReplayName(name) && entry->is_regular_file(unreadable))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto keyA = sortKey(a);
        const auto keyB = sortKey(b);
        return keyA != keyB ? keyA > keyB : a > b;
    });
    std::vector<std::string> paths;
    for (const std::string& name : names) paths.push_back((fs::path(path_) / name).string());
    return paths;
}

void ReplayFolder::prune() const {
    const std::vector<std::string> replays = list();
    std::error_code failure;
    for (std::size_t i = REPLAYS_KEPT; i < replays.size(); ++i) fs::remove(replays[i], failure);
}
