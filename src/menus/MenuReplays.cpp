#include "menus/MenuReplays.h"

#include "assets/FontManager.h"
#include "match/ReplayPlayback.h"
#include "platform/GraphicsTypes.h"
#include "replay/ReplayFolder.h"
#include "replay/ReplayReader.h"
#include "shell/Config.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

// A row says much: it is written smaller than other pages' items.
constexpr int ROW_FONT_DIVISOR = 24;
constexpr const char* ROBOT_NAMES[] = {"Small", "Big"};

// A side's robot, and "CPU" before it when the computer played it.
std::string sideName(const ReplayHeader& header, int side) {
    const std::string robot = ROBOT_NAMES[header.robots[side] == 1 ? 1 : 0];
    return header.controllers[side] == REPLAY_COMPUTER ? "CPU " + robot : robot;
}

// "Dec 07 22:53  Small v CPU Big  2-1  20-12", with "left" for a match not
// played out.
std::string describe(const std::string& path) {
    std::string error;
    const std::optional<Replay> replay = ReplayReader::read(path, error);
    if (!replay) return "(cannot be read)";
    const ReplaySummary summary = ReplayPlayback::summarize(*replay);
    const std::time_t started = static_cast<std::time_t>(replay->header.startedAt);
    std::tm local{};
    char date[32] = "";
    if (localtime_r(&started, &local)) std::strftime(date, sizeof date, "%b %d %H:%M", &local);
    char line[128];
    std::snprintf(line, sizeof line, "%s  %s v %s  %d-%d  %d-%d%s", date, sideName(replay->header, 0).c_str(),
                  sideName(replay->header, 1).c_str(), summary.setsWon[0], summary.setsWon[1], summary.score[0],
                  summary.score[1], summary.finished ? "" : "  left");
    return line;
}

}  // namespace

MenuReplays::MenuReplays(const std::string& folder) {
    title = "Replays";
    if (!folder.empty()) paths_ = ReplayFolder(folder).list();
    for (const std::string& path : paths_) items.push_back(describe(path));
    if (paths_.empty()) notice = "No replays yet: every match played is kept here.";
    items.emplace_back("Back");
    itemCount = static_cast<int>(items.size());
    itemFont = "arialReplays";
    fonts->createFont(itemFont, "Arial", config->height / ROW_FONT_DIVISOR, 0, false, FontManager::FONT_WEIGHT_NORMAL);
}

std::string MenuReplays::chosenPath() const {
    return result >= 1 && result <= static_cast<int>(paths_.size()) ? paths_[result - 1] : std::string();
}

void MenuReplays::refuse(const std::string& error) {
    const std::string path = chosenPath();
    const std::size_t folderEnd = path.rfind('/');
    notice = error.starts_with(path) && folderEnd != std::string::npos ? error.substr(folderEnd + 1) : error;
    result = 0;
}

void MenuReplays::draw() {
    drawTitle();
    // The highlight stays in view: the window follows it.
    firstShown_ = std::clamp(firstShown_, selected - VISIBLE_ROWS, selected - 1);
    firstShown_ = std::clamp(firstShown_, 0, std::max(0, itemCount - VISIBLE_ROWS));
    for (int row = 0; row < VISIBLE_ROWS && firstShown_ + row < itemCount; ++row) drawItem(firstShown_ + row, row);
    drawNotice();
}
