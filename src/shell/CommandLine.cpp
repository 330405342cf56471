#include "shell/CommandLine.h"

#include "net/OnlineAddress.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr int DONE = 0;
constexpr int WRONG_USE = 2;

constexpr const char* USAGE =
    "Usage: korvandeltix [--help | --version | --replay FILE | --host [PORT] | --join ADDRESS[:PORT]]\n"
    "Two robots, one disc, one keyboard: throw the disc past the other player's goal line.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "  --replay FILE  watch a recorded match and exit at its end\n"
    "  --host [PORT]  host an online match on UDP port PORT (7788 unless set) and\n"
    "                 wait for the other player\n"
    "  --join ADDRESS[:PORT]\n"
    "                 join the online match hosted at ADDRESS (port 7788 unless given)\n"
    "\n"
    "Player 1: W A S D move, G dashes and throws, H lobs.\n"
    "Player 2: the arrow keys move, Right Ctrl or numeric pad 1 dashes and throws,\n"
    "Right Shift or numeric pad 2 lobs. On a pad: the D-pad moves, A dashes and\n"
    "throws, B lobs. Keys and pad buttons can be changed on Options > Controls.\n"
    "Escape (or X on player 1's pad) pauses; Return (or Start) chooses in the menus.\n"
    "Every match is kept as a replay; the main menu's Replays page lists them.\n";

}  // namespace

std::optional<int> answerCommandLine(int argc, const char* const* argv, std::string& replayFile,
                                     std::optional<OnlineRequest>& online) {
    if (argc < 2) return std::nullopt;
    const std::string_view option = argv[1];
    if (option == "--host") {
        const std::optional<std::uint16_t> port =
            argc == 2 ? std::uint16_t{0} : argc == 3 ? OnlineAddress::parsePort(argv[2]) : std::nullopt;
        if (!port) {
            std::fprintf(stderr, "korvandeltix: --host takes no more than a port from 1 to 65535\n%s", USAGE);
            return WRONG_USE;
        }
        online = OnlineRequest{true, *port, {}};
        return std::nullopt;
    }
    if (option == "--join") {
        std::string error;
        if (argc != 3 || !OnlineAddress::parse(argv[2], 1, error)) {
            std::fprintf(stderr, "korvandeltix: --join takes one ADDRESS[:PORT]%s%s\n%s", error.empty() ? "" : ": ",
                         error.c_str(), USAGE);
            return WRONG_USE;
        }
        online = OnlineRequest{false, 0, argv[2]};
        return std::nullopt;
    }
    if (option == "--replay") {
        if (argc == 3) {
            replayFile = argv[2];
            return std::nullopt;
        }
        std::fprintf(stderr, "korvandeltix: --replay takes one file\n%s", USAGE);
        return WRONG_USE;
    }
    const bool help = option == "--help" || option == "-h";
    const bool version = option == "--version" || option == "-v";
    if (argc == 2 && help) {
        std::fputs(USAGE, stdout);
        return DONE;
    }
    if (argc == 2 && version) {
        std::printf("korvandeltix %s\n", KORV_VERSION);
        return DONE;
    }
    const char* unexpected = help || version ? argv[2] : argv[1];
    std::fprintf(stderr, "korvandeltix: unknown option '%s'\n%s", unexpected, USAGE);
    return WRONG_USE;
}
