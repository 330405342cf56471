#include "match/OnlinePhase.h"

#include "audio/Sound.h"
#include "input/InputManager.h"
#include "input/KeyboardState.h"
#include "match/Game.h"
#include "menus/MainMenu.h"
#include "menus/MenuHost.h"
#include "menus/MenuJoin.h"
#include "menus/MenuOnline.h"
#include "menus/MenuOnlineCharacters.h"
#include "menus/MenuPause.h"
#include "net/OnlineAddress.h"
#include "net/OnlineSession.h"
#include "net/OnlineSettings.h"
#include "platform/NetLink.h"
#include "scene/Object3D.h"
#include "shell/Config.h"

#include <chrono>

namespace {

constexpr int ROUND_TRIP_SHOWN_EVERY_MS = 1000;
// An ended session is kept this long, so that the other side still hears
// why it ended before the link goes.
constexpr std::int64_t LAST_WORDS_MS = 1000;

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int inputDelay() { return OnlineSettings::read(Config::filePath).inputDelay; }

// This machine has one player, who may use either set of keys or pads.
std::uint8_t heldControls(const InputManager& input) {
    std::uint8_t held = 0;
    for (int kind = 0; kind < CONTROL_KIND_COUNT; ++kind)
        for (int player = 1; player <= PLAYER_COUNT; ++player)
            if (input.controls[controlIndex(static_cast<ControlKind>(kind), player)] != Released)
                held |= static_cast<std::uint8_t>(1u << kind);
    return held;
}

// The online game is on screen: its waiting page, its characters page, its
// match or the pause page over it; not a page the player went on to.
bool showsOnlineGame(const Game& game) {
    const Menu* page = game.menu.get();
    return page == nullptr || dynamic_cast<const MenuHost*>(page) || dynamic_cast<const MenuOnlineCharacters*>(page) ||
           dynamic_cast<const MenuPause*>(page);
}

void showMainMenu(Game& game, const std::string& why) {
    const bool matchShown = game.online->matchStarted();
    game.recorder.stop();
    game.arena.reset();
    game.menu = std::make_unique<MainMenu>();
    game.menu->notice = why;
    if (matchShown) Game::switchMusic(game.musicGame, game.musicMenu);
}

// The pause page opens on both sides at the paused step, and closes on the
// other side when the one who paused goes on.
void followPause(Game& game, OnlineSession& session) {
    const std::optional<int> pausedBy = session.pausedBy();
    const bool pauseShown = game.menu && game.menu->getTitle() == "Pause";
    if (pausedBy && !game.menu) {
        const bool own = *pausedBy == session.localPlayer();
        game.menu = std::make_unique<MenuPause>(own ? std::string("you") : "player " + std::to_string(*pausedBy), own);
        if (game.beep) game.beep->play(0.0, 0.0, 0.0);
        Game::switchMusic(game.musicGame, game.musicMenu);
    } else if (!pausedBy && pauseShown) {
        game.menu.reset();
        Game::switchMusic(game.musicMenu, game.musicGame);
    }
}

}  // namespace

void hostOnline(std::uint16_t port) {
    Game& game = Game::instance();
    // The port of a game just ended is wanted again at once.
    game.endedOnline.reset();
    std::string error;
    std::unique_ptr<NetLink> link = NetLink::listen("", port, error);
    if (!link) {
        game.menu = std::make_unique<MenuOnline>();
        game.menu->notice = error;
        return;
    }
    const std::uint16_t listening = link->port();
    game.online = std::make_unique<OnlineSession>(OnlineSession::Role::Host, std::move(link), KORV_VERSION, inputDelay());
    game.menu = std::make_unique<MenuHost>(listening, NetLink::machineAddresses());
}

void joinOnline(MenuJoin& page) {
    Game& game = Game::instance();
    std::string error;
    const std::optional<OnlineAddress> address =
        OnlineAddress::parse(page.address, OnlineSession::DEFAULT_PORT, error);
    std::unique_ptr<NetLink> link = address ? NetLink::connect(address->host, address->port, error) : nullptr;
    if (!link) {
        page.fail(error);
        return;
    }
    OnlineSettings::writeJoinAddress(page.address, Config::filePath);
    game.online = std::make_unique<OnlineSession>(OnlineSession::Role::Join, std::move(link), KORV_VERSION, inputDelay());
    page.connecting();
}

namespace {
void letGo(Game& game) {
    game.endedOnline = std::move(game.online);
    game.endedOnlineAtMs = nowMs();
}
}  // namespace

void leaveOnline() {
    Game& game = Game::instance();
    if (!game.online) return;
    game.online->leave();
    letGo(game);
}

void updateOnline() {
    Game& game = Game::instance();
    const std::int64_t now = nowMs();
    if (game.endedOnline) {
        game.endedOnline->update(now, 0, {});
        if (now - game.endedOnlineAtMs > LAST_WORDS_MS) game.endedOnline.reset();
    }
    if (!game.online) return;
    OnlineSession& session = *game.online;
    const bool playing = session.matchStarted() && session.phase() == OnlineSession::Phase::Playing;
    std::uint8_t held = 0;
    if (playing && !game.menu) {
        held = heldControls(*game.input);
        if (game.input->controls[PAUSE_CONTROL] == Active) {
            game.input->controls[PAUSE_CONTROL] = Consumed;
            game.input->keyboard->escape = Consumed;
            session.askPause();
        }
    }
    session.update(now, held, [&game](const MatchEvents& events) { game.matchSounds.play(events); });

    switch (session.phase()) {
        case OnlineSession::Phase::Connecting: break;
        case OnlineSession::Phase::Choosing:
            if (dynamic_cast<MenuHost*>(game.menu.get()) || dynamic_cast<MenuJoin*>(game.menu.get()))
                game.menu = std::make_unique<MenuOnlineCharacters>(session);
            break;
        case OnlineSession::Phase::Playing:
            if (dynamic_cast<MenuOnlineCharacters*>(game.menu.get())) game.startOnlineMatch();
            game.match = session.match();
            followPause(game, session);
            break;
        case OnlineSession::Phase::Finished:
            game.match = session.match();
            if (showsOnlineGame(game)) showMainMenu(game, "");
            break;
        case OnlineSession::Phase::Ended:
            if (auto* join = dynamic_cast<MenuJoin*>(game.menu.get()))
                join->fail(session.endText());
            else if (showsOnlineGame(game))
                showMainMenu(game, session.endText());
            letGo(game);
            return;
    }
    if (now - game.roundTripReadAtMs >= ROUND_TRIP_SHOWN_EVERY_MS) {
        game.roundTripShown = session.roundTripMs();
        game.roundTripReadAtMs = now;
    }
}
