#include "menus/Menu.h"

#include "assets/FontManager.h"
#include "assets/TextureManager.h"
#include "audio/Sound.h"
#include "audio/SoundManager.h"
#include "input/InputManager.h"
#include "input/KeyboardState.h"
#include "platform/GraphicsTypes.h"
#include "shell/Config.h"

namespace {
constexpr int MENU_SOUND_SOURCES = 5;
}  // namespace

void playAtCentre(Sound* sound) {
    if (sound) sound->play(0.0, 0.0, 0.0);
}

Menu::Menu() : Menu(OwnPictures{}) { texture = textures->loadTexture("menu", PICTURE_PATH, fullScreen()); }

Menu::Menu(OwnPictures)
    : config(&Config::instance()),
      fonts(&FontManager::instance()),
      textures(&TextureManager::instance()),
      input(&InputManager::instance()),
      sounds(&SoundManager::instance()) {
    width = config->width;
    height = config->height;
    fonts->createFont(itemFont, "Arial", rowHeight(), 0, false,
                      FontManager::FONT_WEIGHT_NORMAL);
    fonts->createFont(titleFont, "Arial", config->height / TITLE_FONT_DIVISOR, 0, false,
                      FontManager::FONT_WEIGHT_NORMAL);
    moveSound = sounds->loadSound("beep", MOVE_SOUND_PATH, MENU_SOUND_SOURCES, false);
    selectSound = sounds->loadSound("beep2", SELECT_SOUND_PATH, MENU_SOUND_SOURCES, false);
}

Menu::~Menu() = default;

bool Menu::isActive(int index) const { return input->controls[index] == Active; }

void Menu::moveHighlight(int elapsedMs) {
    if (repeatTimer < MENU_REPEAT_MS) {
        repeatTimer += elapsedMs;
        bool anyDirection = false;
        for (ControlKind kind : {Up, Down, Left, Right})
            for (int player : {1, 2}) anyDirection = anyDirection || isActive(controlIndex(kind, player));
        if (!anyDirection) repeatTimer = MENU_REPEAT_MS;
        return;
    }
    if (isActive(controlIndex(Up, 1)) || isActive(controlIndex(Up, 2))) {
        if (--selected <= 0) selected = itemCount;
    } else if (isActive(controlIndex(Down, 1)) || isActive(controlIndex(Down, 2))) {
        if (++selected > itemCount) selected = 1;
    } else {
        return;
    }
    repeatTimer = 0;
    playAtCentre(moveSound);
}

bool Menu::takeChoice() {
    if (!isActive(controlIndex(Action1, 1)) && !isActive(controlIndex(Action1, 2)) &&
        input->keyboard->enter != Active)
        return false;
    input->consume(Action1, 1);
    input->consume(Action1, 2);
    input->keyboard->enter = Consumed;
    return true;
}

void Menu::update(int elapsedMs) {
    moveHighlight(elapsedMs);
    if (takeChoice()) {
        result = selected;
        playAtCentre(selectSound);
    }
}

std::string Menu::getTitle() { return title; }

int Menu::getResult() { return result; }

void Menu::drawPictures() { Object2D::draw(); }

int Menu::rowLeft() const { return static_cast<int>(0.5 * config->width - config->width / 3.0); }

int Menu::rowRight() const { return static_cast<int>(config->width / 3.0 + 0.5 * config->width); }

int Menu::rowHeight() const { return config->height / ITEM_FONT_DIVISOR; }

DrawnSize Menu::fullScreen() {
    const Config& config = Config::instance();
    return {config.width, config.height};
}

void Menu::drawTitle() {
    const int h = config->height;
    fonts->drawText(titleFont, title, rowLeft(), static_cast<int>(0.25 * h), rowRight(),
                    static_cast<int>(h / TITLE_FONT_DIVISOR + 0.25 * h), 128, 128, 255, 255,
                    DT_CENTER | DT_VCENTER);
}

void Menu::draw() {
    drawTitle();
    for (int i = 0; i < itemCount; ++i) drawItem(i, i);
    drawNotice();
}

void Menu::drawNotice(double topFraction) {
    if (notice.empty()) return;
    // Made only when a page first has something to say, off the start-up path.
    fonts->createFont(noticeFont, "Arial", NOTICE_FONT_HEIGHT, 0, false, FontManager::FONT_WEIGHT_NORMAL);
    const int top = static_cast<int>(topFraction * config->height);
    fonts->drawText(noticeFont, notice, 0, top, config->width, top + NOTICE_FONT_HEIGHT * 2, 255, 255, 255, 255,
                    DT_CENTER);
}

void Menu::drawItem(int index, int row) {
    const double top = row * rowSpacing * rowHeight() + config->height / 3.0;
    const bool highlighted = index + 1 == selected;
    fonts->drawText(itemFont, items[index], rowLeft(), static_cast<int>(top), rowRight(),
                    static_cast<int>(top + rowHeight()), 255, highlighted ? 0 : 255, highlighted ? 0 : 255, 255,
                    DT_CENTER | DT_VCENTER);
}
