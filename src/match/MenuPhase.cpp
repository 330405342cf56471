#include "match/MenuPhase.h"

#include "audio/Sound.h"
#include "audio/SoundManager.h"
#include "match/Game.h"
#include "menus/MainMenu.h"
#include "menus/MenuAbout.h"
#include "menus/MenuCharacters.h"
#include "menus/MenuControls.h"
#include "menus/MenuHost.h"
#include "menus/MenuIntro.h"
#include "menus/MenuJoin.h"
#include "menus/MenuOnline.h"
#include "menus/MenuOptions.h"
#include "menus/MenuPause.h"
#include "menus/MenuReplays.h"
#include "match/OnlinePhase.h"
#include "net/OnlineSession.h"
#include "net/OnlineSettings.h"
#include "shell/Config.h"
#include "replay/ReplayReader.h"

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

namespace {
// The old page is destroyed before the new one is built.
template <class Page>
void replacePage(Game& game) {
    game.menu.reset();
    game.menu = std::make_unique<Page>();
}
// Plays the chosen replay, or says on the page why it cannot.
void watchChosenReplay(Game& game) {
    auto& page = static_cast<MenuReplays&>(*game.menu);
    if (page.result == 0) return;
    if (page.backChosen()) {
        replacePage<MainMenu>(game);
        return;
    }
    std::string error;
    std::optional<Replay> replay = ReplayReader::read(page.chosenPath(), error);
    if (!replay) {
        page.refuse(error);
        return;
    }
    game.watchReplay(std::move(*replay));
}

// Hosting or joining straight away, as the command line asked.
void startAskedOnline(Game& game) {
    const OnlineRequest request = std::move(*Game::onlineAsked);
    Game::onlineAsked.reset();
    if (request.host) {
        hostOnline(request.port != 0 ? request.port : OnlineSettings::read(Config::filePath).hostPort);
        return;
    }
    game.menu = std::make_unique<MenuJoin>(request.address);
    joinOnline(static_cast<MenuJoin&>(*game.menu));
}

// Back to the main menu from a page of an online game, which it leaves.
void leaveForMainMenu(Game& game) {
    leaveOnline();
    game.recorder.stop();
    replacePage<MainMenu>(game);
}
}  // namespace

void updateMenu(int elapsedMs) {
    Game& game = Game::instance();
    game.menu->update(elapsedMs);
    const std::string title = game.menu->getTitle();
    const int result = game.menu->getResult();

    if (title == "MenuIntro") {
        // A replay asked for on the command line starts as soon as all is
        // loaded, without the intro.
        if (Game::replayToWatch && game.assetsLoaded()) {
            Replay replay = std::move(*Game::replayToWatch);
            Game::replayToWatch.reset();
            game.quitAfterReplay = true;
            game.sounds->removeSound("musicIntro");
            game.musicIntro = nullptr;
            game.watchReplay(std::move(replay));
            return;
        }
        // The main menu waits for the rest of the start-up loading.
        if ((result == MenuIntro::FINISHED || Game::onlineAsked) && game.assetsLoaded()) {
            replacePage<MainMenu>(game);
            Game::switchMusic(game.musicIntro, game.musicMenu);
            game.sounds->removeSound("musicIntro");
            game.musicIntro = nullptr;
            if (Game::onlineAsked) startAskedOnline(game);
        }
    } else if (title == "Menu") {
        switch (result) {
        case MainMenu::PLAY: replacePage<MenuCharacters>(game); break;
        case MainMenu::ONLINE: replacePage<MenuOnline>(game); break;
        case MainMenu::OPTIONS: replacePage<MenuOptions>(game); break;
        case MainMenu::ABOUT: replacePage<MenuAbout>(game); break;
        case MainMenu::DEMO: game.startDemo(); break;
        case MainMenu::REPLAYS:
            game.menu.reset();
            game.menu = std::make_unique<MenuReplays>(MatchRecorder::folder);
            break;
        // The normal exit runs the teardown of every device and registry.
        case MainMenu::EXIT: std::exit(EXIT_SUCCESS);
        default: break;
        }
    } else if (title == "Online") {
        if (result == MenuOnline::HOST) hostOnline(OnlineSettings::read(Config::filePath).hostPort);
        if (result == MenuOnline::JOIN) {
            game.menu.reset();
            game.menu = std::make_unique<MenuJoin>(OnlineSettings::read(Config::filePath).joinAddress);
        }
        if (result == MenuOnline::BACK) replacePage<MainMenu>(game);
    } else if (title == "Host") {
        if (result == MenuHost::BACK) {
            leaveOnline();
            replacePage<MenuOnline>(game);
        }
    } else if (title == "Join") {
        if (result == MenuJoin::CONNECT) joinOnline(static_cast<MenuJoin&>(*game.menu));
        if (result == MenuJoin::BACK) {
            leaveOnline();
            replacePage<MenuOnline>(game);
        }
    } else if (title == "Character") {
        if (result == MenuCharacters::GO_BACK && game.online) {
            leaveForMainMenu(game);
        } else if (result == MenuCharacters::GO_BACK) {
            replacePage<MainMenu>(game);
        } else if (result != 0) {
            MatchPlayers players;
            players.computerLevel = static_cast<MenuCharacters&>(*game.menu).computerLevel;
            players.seed = static_cast<std::uint64_t>(std::time(nullptr));
            game.startMatch(result, players);
            Game::switchMusic(game.musicMenu, game.musicGame);
        }
    } else if (title == "Options") {
        if (result == MenuOptions::RETURN_TO_MAIN_MENU) replacePage<MainMenu>(game);
        if (result == MenuOptions::CONTROLS) replacePage<MenuControls>(game);
    } else if (title == "Controls") {
        // Back where the player left the options page.
        if (result == MenuControls::BACK) {
            replacePage<MenuOptions>(game);
            game.menu->selected = MenuOptions::CONTROLS;
        }
    } else if (title == "Replays") {
        watchChosenReplay(game);
    } else if (title == "About") {
        if (result == MenuAbout::BACK) replacePage<MainMenu>(game);
    } else if (title == "Pause") {
        if (result == MenuPause::RETURN_TO_GAME && game.online) {
            // The page closes when the session has gone on, on both sides alike.
            game.online->resume();
            game.menu->result = 0;
        } else if (result == MenuPause::RETURN_TO_GAME) {
            game.menu.reset();
            Game::switchMusic(game.musicMenu, game.musicGame);
        } else if (result == MenuPause::EXIT_TO_MAIN_MENU && game.online) {
            leaveForMainMenu(game);
        } else if (result == MenuPause::EXIT_TO_MAIN_MENU) {
            game.recorder.stop();
            replacePage<MainMenu>(game);
        }
    }
}
