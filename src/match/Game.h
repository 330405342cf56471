#pragma once

#include "actors/ActorModels.h"
#include "audio/MatchSounds.h"
#include "computer/ComputerPlayer.h"
#include "match/MatchPlayers.h"
#include "match/MatchRecorder.h"
#include "match/MatchState.h"
#include "match/ReplayPlayback.h"
#include "net/OnlineRequest.h"
#include "platform/Image.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Config;
class FontManager;
class InputManager;
class Menu;
class MeshManager;
class OnlineSession;
class Object3D;
class Sound;
class SoundManager;
class TextureManager;

// What the program is doing right now: the open page, or the current match
// with the models, sounds and replay that show it. The main loop runs the
// menu phase while menu is set, else steps the match.
class Game {
public:
    static Game& instance();
    ~Game();

    // Starts decoding the intro's files on worker threads, in the order it
    // loads them; called once, before the devices come up.
    void decodeAhead();
    // Starts decoding the other start-up files, once the intro has its own.
    void decodeTheRest();
    // Start-up: the intro page with its first picture, and its music, which
    // starts at once; its other pictures, the pages' background, the other
    // fonts, sounds, the arena model and the message pictures follow behind
    // the intro, one a frame.
    void loadAssets();
    // Loads the next start-up asset once its file is decoded; nothing once
    // all are loaded. Whether it loaded one.
    bool loadNextAsset();
    bool assetsLoaded() const { return pendingAssets_.empty(); }
    // Builds a match from a two-digit code: units player 1's robot model,
    // tens player 2's, each counted from 1, with the computer on the sides
    // it plays, and starts recording it unless it is a demo.
    void startMatch(int characterCode, const MatchPlayers& players = {});
    // Two computers play while nobody does; any key ends it.
    void startDemo();
    void endDemo();
    // Frees the open page and the arena, and stops recording.
    void freeMatch();
    // Shows a recorded match in place of a played one, with the game music.
    void watchReplay(Replay replay);
    // Back to the replays page, or the end of the program when it was
    // started to watch one replay.
    void stopWatching();
    // The match on screen: the one watched, else the one played.
    const MatchState& shownMatch() const { return playback ? playback->match() : match; }

    // Shows the match the online session started, with the game music, and
    // records it as its steps are confirmed by both sides.
    void startOnlineMatch();
    // A message picture covers the middle half of the back buffer.
    DrawnSize messageSize() const;

    // Stops every source of one piece of music and starts another.
    static void switchMusic(Sound* from, Sound* to);

    std::unique_ptr<Menu> menu;
    MatchState match;
    bool pauseAsked = false;  // the pause page opens at the next step of play
    std::unique_ptr<Object3D> arena;  // set while there is a match to show
    ActorModels models;
    MatchSounds matchSounds;
    MatchRecorder recorder;
    // The computer on each side it plays.
    std::array<std::unique_ptr<ComputerPlayer>, 2> computers;
    bool demo = false;
    std::unique_ptr<ReplayPlayback> playback;  // set while a replay is watched
    // A replay to watch as soon as the start-up loading is done, instead of
    // the main menu; the program ends with it. Set before the game exists.
    static std::optional<Replay> replayToWatch;
    bool quitAfterReplay = false;
    // The online game going on: waiting, choosing, playing or seeing its
    // end through; null otherwise.
    std::unique_ptr<OnlineSession> online;
    // The last one, ended, while it still tells the other side why.
    std::unique_ptr<OnlineSession> endedOnline;
    std::int64_t endedOnlineAtMs = 0;
    // Hosting or joining asked for on the command line, started as soon as
    // the start-up loading is done instead of the main menu.
    static std::optional<OnlineRequest> onlineAsked;
    // The round trip shown in the corner, in ms (-1: none yet), and when it
    // was last read.
    int roundTripShown = -1;
    std::int64_t roundTripReadAtMs = 0;
    Sound* beep = nullptr;
    Sound* musicGame = nullptr;
    Sound* musicMenu = nullptr;
    Sound* musicIntro = nullptr;
    TextureManager* textures = nullptr;
    MeshManager* meshes = nullptr;
    FontManager* fonts = nullptr;
    Config* config = nullptr;
    InputManager* input = nullptr;
    SoundManager* sounds = nullptr;

private:
    Game();
    void setUpArena();

    // A start-up asset still to load, and whether its file is decoded.
    struct PendingAsset {
        std::function<bool()> ready;
        std::function<void()> load;
    };
    std::deque<PendingAsset> pendingAssets_;
};
