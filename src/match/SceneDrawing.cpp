#include "match/SceneDrawing.h"

#include "assets/FontManager.h"
#include "assets/TextureManager.h"
#include "match/Game.h"
#include "menus/Menu.h"
#include "menus/Notification.h"
#include "platform/GraphicsDevice.h"
#include "platform/GraphicsTypes.h"
#include "platform/Sprite.h"
#include "scene/Object3D.h"
#include "shell/Config.h"

#include <cstdio>
#include <string_view>

namespace {
// The score lines sit in the upper corners, the clock at the top centre.
constexpr int SCORE_TOP = 10;
constexpr int SCORE_BOTTOM = 200;
constexpr int SCORE_MARGIN = 30;
constexpr int SCORE_BOX_WIDTH = 300;
constexpr double CLOCK_HALF_WIDTH = 100.0;
constexpr int MS_PER_SECOND = 1000;
// The replay line's box reaches this far up from the bottom edge.
constexpr int REPLAY_LINE_BOTTOM = 40;
constexpr int DEMO_SIGN_BOTTOM = 60;
// The round trip of an online match, small in the lower right corner.
constexpr int ROUND_TRIP_BOTTOM = 34;
constexpr int ROUND_TRIP_WIDTH = 220;

// Room for a score line or the clock, formatted on the stack every frame.
constexpr std::size_t LINE_CAPACITY = 64;

void drawWhite(FontManager& fonts, const char* font, std::string_view text, int left,
               int right, int format) {
    fonts.drawText(font, text, left, SCORE_TOP, right, SCORE_BOTTOM, 255, 255, 255, 255, format);
}

void drawPage(Menu& page, Sprite* sprite) {
    if (sprite) sprite->begin(0);
    page.drawPictures();
    if (sprite) sprite->end();
    page.draw();
}

void drawScore(const Game& game) {
    const int w = game.config->width;
    const MatchState& match = game.shownMatch();
    char playerOne[LINE_CAPACITY];
    char playerTwo[LINE_CAPACITY];
    char clock[LINE_CAPACITY];
    std::snprintf(playerOne, sizeof playerOne, "Player One : %d Pts - %d sets", match.score[0],
                  match.setsWon[0]);
    std::snprintf(playerTwo, sizeof playerTwo, "Player Two : %d Pts - %d sets", match.score[1],
                  match.setsWon[1]);
    std::snprintf(clock, sizeof clock, "Time\n%d", match.timeLeft / MS_PER_SECOND);
    drawWhite(*game.fonts, "arial", playerOne, SCORE_MARGIN,
              SCORE_MARGIN + SCORE_BOX_WIDTH, DT_LEFT | DT_TOP);
    drawWhite(*game.fonts, "arial", playerTwo, w - SCORE_MARGIN - SCORE_BOX_WIDTH,
              w - SCORE_MARGIN, DT_RIGHT);
    drawWhite(*game.fonts, "arialBig", clock, static_cast<int>(w * 0.5 - CLOCK_HALF_WIDTH),
              static_cast<int>(w * 0.5 + CLOCK_HALF_WIDTH), DT_CENTER);
}
// Along the bottom while a replay shows: what it is doing and its keys.
void drawReplayControls(const Game& game, const ReplayPlayback& playback) {
    const char* state = playback.paused ? "Replay, paused" : playback.fast ? "Replay x4" : "Replay";
    char line[LINE_CAPACITY * 2];
    std::snprintf(line, sizeof line, "%s  -  G / Return: pause  H: x4  Escape: back", state);
    const int h = game.config->height;
    game.fonts->drawText("arial", line, 0, h - REPLAY_LINE_BOTTOM, game.config->width, h, 255, 255, 255, 255,
                         DT_CENTER);
}

// Along the bottom while two computers play by themselves.
void drawDemoSign(const Game& game) {
    const int h = game.config->height;
    game.fonts->drawText("arialBig", "Demo", 0, h - DEMO_SIGN_BOTTOM, game.config->width, h, 255, 255, 255, 255,
                         DT_CENTER);
}

void drawRoundTrip(const Game& game) {
    char line[LINE_CAPACITY];
    std::snprintf(line, sizeof line, "Round trip %d ms", game.roundTripShown);
    const int w = game.config->width;
    const int h = game.config->height;
    game.fonts->drawText("arial", line, w - SCORE_MARGIN - ROUND_TRIP_WIDTH, h - ROUND_TRIP_BOTTOM, w - SCORE_MARGIN,
                         h, 255, 255, 255, 255, DT_RIGHT);
}

// The message over the middle half of the screen, as far into its life as
// the match says.
void drawMessage(const Game& game) {
    const MatchMessage& message = game.shownMatch().message;
    if (!message.shown) return;
    const int w = game.config->width;
    const int h = game.config->height;
    const DrawnSize size = game.messageSize();
    Notification picture(w / 4, h / 4, size.width, size.height);
    picture.durationMs = message.durationMs;
    picture.remainingMs = message.remainingMs;
    if (const char* name = messagePictureName(message.picture)) picture.texture = game.textures->getTexture(name);
    picture.draw();
}

// Under the fixed camera the arena looks the same every frame: it is drawn
// once, and later frames start from that picture and its depth for as long
// as it would be drawn the same way. Its draws are still looked at, so the
// device is left as drawing it leaves it.
void drawArena(const Game& game) {
    GraphicsDevice* device = game.textures->device;
    if (!device) return;
    device->beginLook();
    game.arena->draw();
    const std::uint64_t look = device->endLook();
    if (device->showBackdrop(look)) return;
    game.arena->draw();
    device->keepBackdrop(look);
}
}  // namespace

void drawScene() {
    const Game& game = Game::instance();
    Sprite* sprite = game.textures->sprite;
    if (game.menu) {
        drawPage(*game.menu, sprite);
        return;
    }
    const MatchState& match = game.shownMatch();
    if (game.arena) {
        drawArena(game);
        game.models.draw(match.robot1);
        game.models.draw(match.robot2);
        game.models.draw(match.frisbee);
    }
    if (sprite) sprite->begin(0);
    drawMessage(game);
    if (sprite) sprite->end();
    drawScore(game);
    if (game.playback) drawReplayControls(game, *game.playback);
    if (game.demo) drawDemoSign(game);
    if (game.online && game.roundTripShown >= 0) drawRoundTrip(game);
}
