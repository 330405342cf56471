#pragma once

#include "platform/Image.h"
#include "scene/Object2D.h"

#include <string>
#include <vector>

class Config;
class FontManager;
class InputManager;
class Sound;
class SoundManager;
class TextureManager;

// Milliseconds between two highlight moves while a direction stays held.
constexpr int MENU_REPEAT_MS = 400;
// Item rows start a third of the way down and are, unless a page has more
// than fit, one and a half rows apart.
constexpr double MENU_ROW_SPACING = 1.5;

// A page outside the match: a full-screen picture, a title and a vertical
// list of items with one highlight that both players steer. A page never
// switches itself: it reports the chosen item in result, and the menu phase
// decides what follows.
class Menu : public Object2D {
public:
    // The background picture of every page.
    static constexpr const char* PICTURE_PATH = "Images/Menu/menu.png";
    // The sounds of a highlight move and of a choice.
    static constexpr const char* MOVE_SOUND_PATH = "Sounds/beep.wav";
    static constexpr const char* SELECT_SOUND_PATH = "Sounds/beep2.wav";
    // Text sizes follow the screen height: item rows a twentieth of it, the
    // title a fifteenth.
    static constexpr int ITEM_FONT_DIVISOR = 20;
    static constexpr int TITLE_FONT_DIVISOR = 15;
    // A page's picture covers the back buffer, and is never drawn larger.
    static DrawnSize fullScreen();

    Menu();
    ~Menu() override;

    // Title and items: the text layer, drawn after the pictures.
    void draw() override;
    void update(int elapsedMs) override;
    // Keeps the slot of the page operations that follow it; no page uses it.
    virtual void spare() {}
    virtual std::string getTitle();
    virtual int getResult();
    // The background picture, drawn inside the sprite batch.
    virtual void drawPictures();

    int selected = 1;
    int result = 0;
    // A line or two under the items, in a small font: why something did not
    // happen, or what the page waits for. Nothing when empty.
    std::string notice;
    std::string noticeFont = "arial";
    int itemCount = 0;
    float repeatTimer = MENU_REPEAT_MS;
    std::string title = "Menu";
    std::vector<std::string> items;
    // Item rows apart, in row heights; a long list sits closer.
    double rowSpacing = MENU_ROW_SPACING;
    std::string itemFont = "arialMenu";
    std::string titleFont = "arialTitle";
    Sound* moveSound = nullptr;
    Sound* selectSound = nullptr;
    Config* config = nullptr;
    FontManager* fonts = nullptr;
    TextureManager* textures = nullptr;
    InputManager* input = nullptr;
    SoundManager* sounds = nullptr;

protected:
    // A page that loads pictures of its own instead of the background.
    struct OwnPictures {};
    explicit Menu(OwnPictures);

    // One step of the shared highlight: either player's up or down moves it,
    // at once on a new press, then every MENU_REPEAT_MS while held.
    void moveHighlight(int elapsedMs);
    // Whether either player's action1 or Return is pressed; the press is
    // used up in every place it could be seen again.
    bool takeChoice();
    bool isActive(int controlIndex) const;
    // Horizontal bounds of the title and item rows: the middle two thirds.
    int rowLeft() const;
    int rowRight() const;
    // The title in the title font, centred above the rows.
    void drawTitle();
    // Height of an item row, which is also the item font's height.
    int rowHeight() const;
    // One item, highlighted or not, in the given row of the list.
    void drawItem(int index, int row);
    // The notice, centred across the screen from a fraction of its height down.
    void drawNotice(double topFraction = NOTICE_TOP);

    static constexpr double NOTICE_TOP = 0.88;
    static constexpr int NOTICE_FONT_HEIGHT = 25;
};

// Plays a sound at the listener, as every menu and message sound is heard.
void playAtCentre(Sound* sound);
