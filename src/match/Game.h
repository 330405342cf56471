#pragma once

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Config;
class FontManager;
class Frisbee;
class InputManager;
class Menu;
class MeshManager;
class Notification;
class Object3D;
class Robot;
class Sound;
class SoundManager;
class TextureManager;

// What the program is doing right now: the open page, the picture message
// on screen, the score, the sets, the set clock and the objects of the
// current match. The main loop runs the menu phase while menu is set, else
// the message phase while notification is set, else the play phase.
class Game {
public:
    // Where a match stands; acted on when a picture message ends.
    enum Flow : int {
        FlowPlaying = 0,     // ordinary play, or a goal message is showing
        FlowSetWon = 1,      // a player has just reached the set's point limit
        FlowMatchWon = 2,    // a player has won the match
        FlowBackToMenu = 3,  // the match-won message is showing; the main menu follows
        FlowTimeUp = 4,      // the set clock ran out
        FlowNextSet = 5,     // a set ended on time; play resumes when its message ends
    };

    static constexpr int SET_TIME_MS = 99000;
    static constexpr int SET_POINTS = 20;
    static constexpr int SETS_TO_WIN = 2;

    static Game& instance();
    ~Game();

    // Starts decoding the intro's files on worker threads, in the order it
    // loads them; called once, before the devices come up.
    void decodeAhead();
    // Starts decoding the other start-up files, once the intro has its own.
    void decodeTheRest();
    // Start-up: the intro page with its pictures, and its music, which
    // starts at once; the other fonts, sounds, the arena model and the
    // message pictures follow behind the intro, one a frame.
    void loadAssets();
    // Loads the next start-up asset once its file is decoded; nothing once
    // all are loaded. Whether it loaded one.
    bool loadNextAsset();
    bool assetsLoaded() const { return pendingAssets_.empty(); }
    // Builds a match from a two-digit code: units player 1's robot model,
    // tens player 2's, each counted from 1.
    void startMatch(int characterCode);
    // Frees the open page and the match objects; a pending message stays.
    void freeMatch();

    // A picture message in the middle half of the screen.
    std::unique_ptr<Notification> makeNotification(const char* picture, int durationMs) const;
    // Stops every source of one piece of music and starts another.
    static void switchMusic(Sound* from, Sound* to);

    std::unique_ptr<Menu> menu;
    std::unique_ptr<Notification> notification;
    std::array<int, 2> score{};    // points of players 1 and 2 in this set
    std::array<int, 2> setsWon{};  // sets of players 1 and 2 in this match
    int flow = FlowPlaying;
    int timeLeft = 0;
    bool pauseAsked = false;  // the pause page opens at the next step of play
    std::unique_ptr<Object3D> arena;
    std::unique_ptr<Robot> robot1;
    std::unique_ptr<Robot> robot2;
    std::unique_ptr<Frisbee> frisbee;
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

    // A start-up asset still to load, and whether its file is decoded.
    struct PendingAsset {
        std::function<bool()> ready;
        std::function<void()> load;
    };
    std::deque<PendingAsset> pendingAssets_;
};
