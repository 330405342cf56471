#include "menus/MenuAbout.h"

#include "assets/FontManager.h"
#include "platform/GraphicsTypes.h"
#include "shell/Config.h"

namespace {
// The credits font is 25 pixels high on a 1280-pixel-wide screen and scales
// with the width.
constexpr double TEXT_FONT_HEIGHT_AT_1280 = 25.0;
constexpr double REFERENCE_WIDTH = 1280.0;
// The text box is narrower than the item rows and starts just below "Back".
constexpr double TEXT_HALF_WIDTH_DIVISOR = 3.5;
constexpr double TEXT_TOP_ROWS = 1.2;
}  // namespace

const char* const MenuAbout::CREDITS =
    "Korvandeltix, un jeu de disque volant pour deux joueurs\n"
    "sur une m\xEAme machine. Programmation, images, mod\xE8les,\n"
    "sons et musiques : l'\xE9quipe Korvandeltix.\n"
    "\n"
    "Korvandeltix, a flying-disc game for two players at one machine.\n"
    "Code, pictures, models, sounds and music: the Korvandeltix team.\n"
    "\n"
    "More about the game: the README file that comes with it.";

MenuAbout::MenuAbout() {
    items = {"Back"};
    itemCount = static_cast<int>(items.size());
    title = "About";
    fonts->createFont(textFont, "Arial",
                      static_cast<int>(config->width / REFERENCE_WIDTH * TEXT_FONT_HEIGHT_AT_1280),
                      0, false, FontManager::FONT_WEIGHT_NORMAL);
}

void MenuAbout::draw() {
    Menu::draw();
    const int w = config->width;
    const int h = config->height;
    fonts->drawText(textFont, CREDITS, static_cast<int>(w / 2 - w / TEXT_HALF_WIDTH_DIVISOR),
                    static_cast<int>(rowHeight() * TEXT_TOP_ROWS + h / 3),
                    static_cast<int>(w / TEXT_HALF_WIDTH_DIVISOR + w / 2), 3 * h / 4, 255, 255,
                    255, 255, DT_LEFT | DT_TOP);
}
