#include "match/Game.h"

#include "assets/FontManager.h"
#include "assets/MeshManager.h"
#include "assets/TextureManager.h"
#include "audio/Sound.h"
#include "audio/SoundManager.h"
#include "input/InputManager.h"
#include "match/MatchEvents.h"
#include "menus/Menu.h"
#include "menus/MainMenu.h"
#include "menus/MenuIntro.h"
#include "menus/MenuReplays.h"
#include "net/OnlineSession.h"
#include "scene/Object3D.h"
#include "shell/Config.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
constexpr int SCORE_FONT_HEIGHT = 25;
constexpr int CLOCK_FONT_HEIGHT = 35;
constexpr int EFFECT_SOURCES = 5;
constexpr float GAME_MUSIC_GAIN = 0.8f;

// The arena model lies on its side in the file: stood up and stretched along
// the field, just below the robots' floor.
constexpr double ARENA_X = 0.0, ARENA_Y = 0.03, ARENA_Z = -5.5;
constexpr double ARENA_SCALE_X = 2.2, ARENA_SCALE_Y = 1.5, ARENA_SCALE_Z = 1.5;
constexpr double ARENA_ROTATION_X = 90.0, ARENA_ROTATION_Y = 90.0, ARENA_ROTATION_Z = 0.0;

constexpr int CODE_BASE = 10;

constexpr const char* MUSIC_GAME_PATH = "Musics/musicGame.wav";
constexpr const char* MUSIC_MENU_PATH = "Musics/musicMenu.wav";
constexpr const char* MUSIC_INTRO_PATH = "Musics/musicIntro.wav";
constexpr const char* ARENA_PATH = "Meshes/Arena/arena.x";

// Every text of the game is in Arial, of some height.
FontRequest arial(int height) { return {"Arial", height, 0, false, FontManager::FONT_WEIGHT_NORMAL}; }

std::string messagePicturePath(const char* picture) {
    return std::string("Images/Interface/") + picture + ".png";
}
}  // namespace

std::optional<Replay> Game::replayToWatch;
std::optional<OnlineRequest> Game::onlineAsked;

Game& Game::instance() {
    static Game game;
    return game;
}

Game::Game()
    : textures(&TextureManager::instance()),
      meshes(&MeshManager::instance()),
      fonts(&FontManager::instance()),
      config(&Config::instance()),
      input(&InputManager::instance()),
      sounds(&SoundManager::instance()) {}

Game::~Game() { freeMatch(); }

void Game::decodeAhead() {
    // What the intro page loads first, in the order it loads it: its first
    // frame waits for the first picture, so nothing else competes for the
    // processor yet.
    std::vector<std::string> pictures;
    for (const auto& picture : MenuIntro::PICTURES) pictures.emplace_back(picture[1]);
    pictures.emplace_back(Menu::PICTURE_PATH);
    textures->decodeAhead(pictures, Menu::fullScreen());
    fonts->decodeAhead({arial(config->height / Menu::ITEM_FONT_DIVISOR),
                        arial(config->height / Menu::TITLE_FONT_DIVISOR)});
    sounds->decodeAhead({Menu::MOVE_SOUND_PATH, Menu::SELECT_SOUND_PATH});
}

void Game::decodeTheRest() {
    std::vector<std::string> pictures;
    for (int picture = NoPicture + 1; picture < MESSAGE_PICTURE_COUNT; ++picture)
        pictures.push_back(messagePicturePath(messagePictureName(picture)));
    textures->decodeAhead(pictures, messageSize());
    fonts->decodeAhead({arial(SCORE_FONT_HEIGHT), arial(CLOCK_FONT_HEIGHT)});
    meshes->decodeAhead({ARENA_PATH});
}

void Game::loadAssets() {
    menu = std::make_unique<MenuIntro>();
    musicIntro = sounds->loadSound("musicIntro", MUSIC_INTRO_PATH, 1, false, SoundKind::Music);
    if (musicIntro) musicIntro->play(0.0, 0.0, 0.0);

    // Created exactly as read ahead, so that the rasterised atlas is found.
    const auto font = [this](const char* name, int height) {
        const FontRequest request = arial(height);
        return PendingAsset{[this, request] { return fonts->ready(request); },
                            [this, name, request] {
                                fonts->createFont(name, request.face, request.height, request.width,
                                                  request.italic, request.weight);
                            }};
    };
    const auto decoded = [this](const char* path) { return [this, path] { return sounds->ready(path); }; };
    const auto page = [this](const char* name, const char* path) {
        return PendingAsset{[this, path] { return textures->ready(path); },
                            [this, name, path] { textures->loadTexture(name, path, Menu::fullScreen()); }};
    };
    // Music streams from its file, with nothing to decode first.
    const auto streamed = [] { return true; };
    pendingAssets_ = {
        page(MenuIntro::PICTURES[1][0], MenuIntro::PICTURES[1][1]),
        page(MenuIntro::PICTURES[2][0], MenuIntro::PICTURES[2][1]),
        page("menu", Menu::PICTURE_PATH),
        font("arial", SCORE_FONT_HEIGHT),
        font("arialBig", CLOCK_FONT_HEIGHT),
        {decoded(Menu::SELECT_SOUND_PATH),
         [this] { beep = sounds->loadSound("beep2", Menu::SELECT_SOUND_PATH, EFFECT_SOURCES, false); }},
        {streamed,
         [this] { musicMenu = sounds->loadSound("musicMenu", MUSIC_MENU_PATH, 1, true, SoundKind::Music); }},
        {streamed,
         [this] {
             musicGame = sounds->loadSound("musicGame", MUSIC_GAME_PATH, 1, true, SoundKind::Music);
             if (musicGame) musicGame->setGain(GAME_MUSIC_GAIN);
         }},
        {[this] { return meshes->ready(ARENA_PATH); },
         [this] { meshes->loadMesh("arena", ARENA_PATH); }},
    };
    for (int index = NoPicture + 1; index < MESSAGE_PICTURE_COUNT; ++index) {
        const char* picture = messagePictureName(index);
        const std::string path = messagePicturePath(picture);
        pendingAssets_.push_back({[this, path] { return textures->ready(path); },
                                  [this, picture, path] { textures->loadTexture(picture, path, messageSize()); }});
    }
}

DrawnSize Game::messageSize() const { return {config->width / 2, config->height / 2}; }

bool Game::loadNextAsset() {
    if (pendingAssets_.empty() || !pendingAssets_.front().ready()) return false;
    PendingAsset next = std::move(pendingAssets_.front());
    pendingAssets_.pop_front();
    next.load();
    return true;
}

void Game::freeMatch() {
    recorder.stop();
    playback.reset();
    computers = {};
    demo = false;
    menu.reset();
    arena.reset();
}

void Game::setUpArena() {
    arena = std::make_unique<Object3D>(ARENA_X, ARENA_Y, ARENA_Z, ARENA_SCALE_X, ARENA_SCALE_Y,
                                       ARENA_SCALE_Z, ARENA_ROTATION_X, ARENA_ROTATION_Y,
                                       ARENA_ROTATION_Z, 0.0, 0.0, 0.0);
    arena->mesh = meshes->getMesh("arena");
}

void Game::startMatch(int characterCode, const MatchPlayers& players) {
    freeMatch();
    pauseAsked = false;
    setUpArena();
    MatchEvents events;
    match = MatchState::start(characterCode % CODE_BASE - 1, characterCode / CODE_BASE - 1, events);
    models.load(match.robot1.model, match.robot2.model);
    matchSounds.load();
    matchSounds.play(events);
    for (int player = 1; player <= 2; ++player)
        if (players.computerPlays(player))
            computers[player - 1] = std::make_unique<ComputerPlayer>(player, players.computerLevel[player - 1],
                                                                     players.seed + player);
    demo = players.demo;
    if (!demo) recorder.start(match, players);
}

void Game::startDemo() {
    SeededRandom dice(static_cast<std::uint64_t>(std::time(nullptr)));
    MatchPlayers players;
    players.demo = true;
    players.seed = dice.next();
    // Two strong levels, so that the rallies are worth watching.
    players.computerLevel = {LevelHard + dice.below(2), LevelHard + dice.below(2)};
    startMatch(1 + dice.below(2) + CODE_BASE * (1 + dice.below(2)), players);
    switchMusic(musicMenu, musicGame);
}

void Game::endDemo() {
    demo = false;
    input->consumeAll();
    menu = std::make_unique<MainMenu>();
    switchMusic(musicGame, musicMenu);
}

void Game::startOnlineMatch() {
    freeMatch();
    pauseAsked = false;
    setUpArena();
    match = online->match();
    models.load(match.robot1.model, match.robot2.model);
    matchSounds.load();
    matchSounds.play(online->startEvents());
    recorder.start(match, MatchPlayers{});
    online->onConfirmed([this](int, int elapsedMs, const ControlStates& read, const MatchState& after) {
        recorder.record(elapsedMs, read, after);
    });
    roundTripShown = -1;
    switchMusic(musicMenu, musicGame);
}

void Game::watchReplay(Replay replay) {
    freeMatch();
    setUpArena();
    models.load(replay.header.robots[0], replay.header.robots[1]);
    matchSounds.load();
    playback = std::make_unique<ReplayPlayback>(std::move(replay),
                                                [this](const MatchEvents& events) { matchSounds.play(events); });
    switchMusic(musicMenu, musicGame);
}

void Game::stopWatching() {
    if (!playback) return;
    if (const std::optional<std::size_t> parted = playback->partedAfter())
        std::fprintf(stderr, "korvandeltix: this replay plays differently in this game from step %zu on\n", *parted);
    playback.reset();
    arena.reset();
    if (quitAfterReplay) std::exit(EXIT_SUCCESS);
    menu = std::make_unique<MenuReplays>(MatchRecorder::folder);
    switchMusic(musicGame, musicMenu);
}

void Game::switchMusic(Sound* from, Sound* to) {
    if (from) from->stopAll();
    if (to) to->play(0.0, 0.0, 0.0);
}
