#include "match/SceneDrawing.h"

#include "actors/Frisbee.h"
#include "actors/Robot.h"
#include "assets/FontManager.h"
#include "assets/TextureManager.h"
#include "match/Game.h"
#include "menus/Menu.h"
#include "menus/Notification.h"
#include "platform/GraphicsTypes.h"
#include "platform/Sprite.h"
#include "scene/Object3D.h"
#include "shell/Config.h"

#include <sstream>

namespace {
// The score lines sit in the upper corners, the clock at the top centre.
constexpr int SCORE_TOP = 10;
constexpr int SCORE_BOTTOM = 200;
constexpr int SCORE_MARGIN = 30;
constexpr int SCORE_BOX_WIDTH = 300;
constexpr double CLOCK_HALF_WIDTH = 100.0;
constexpr int MS_PER_SECOND = 1000;

void drawWhite(FontManager& fonts, const char* font, const std::string& text, int left,
               int right, int format) {
    fonts.drawText(font, text, left, SCORE_TOP, right, SCORE_BOTTOM, 255, 255, 255, 255, format);
}

void drawPage(Game& game, Sprite* sprite) {
    if (sprite) sprite->begin(0);
    game.menu->drawPictures();
    if (sprite) sprite->end();
    game.menu->draw();
}

void drawScore(const Game& game) {
    const int w = game.config->width;
    std::ostringstream playerOne, playerTwo, clock;
    playerOne << "Player One : " << game.score[0] << " Pts - " << game.setsWon[0] << " sets";
    playerTwo << "Player Two : " << game.score[1] << " Pts - " << game.setsWon[1] << " sets";
    clock << "Time\n" << game.timeLeft / MS_PER_SECOND;
    drawWhite(*game.fonts, "arial", playerOne.str(), SCORE_MARGIN,
              SCORE_MARGIN + SCORE_BOX_WIDTH, DT_LEFT | DT_TOP);
    drawWhite(*game.fonts, "arial", playerTwo.str(), w - SCORE_MARGIN - SCORE_BOX_WIDTH,
              w - SCORE_MARGIN, DT_RIGHT);
    drawWhite(*game.fonts, "arialBig", clock.str(), static_cast<int>(w * 0.5 - CLOCK_HALF_WIDTH),
              static_cast<int>(w * 0.5 + CLOCK_HALF_WIDTH), DT_CENTER);
}
}  // namespace

void drawScene() {
    Game& game = Game::instance();
    Sprite* sprite = game.textures->sprite;
    if (game.menu) {
        drawPage(game, sprite);
        return;
    }
    for (Element* object : {static_cast<Element*>(game.arena.get()),
                            static_cast<Element*>(game.robot1.get()),
                            static_cast<Element*>(game.robot2.get()),
                            static_cast<Element*>(game.frisbee.get())})
        if (object) object->draw();
    if (sprite) sprite->begin(0);
    if (game.notification) game.notification->draw();
    if (sprite) sprite->end();
    drawScore(game);
}
