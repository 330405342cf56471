#include "menus/MenuOnline.h"

MenuOnline::MenuOnline() {
    items = {"Host a match", "Join a match", "Back"};
    itemCount = static_cast<int>(items.size());
    title = "Online";
}
