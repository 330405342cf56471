// Draws every picture of the game into <run folder>/Images/, and, when an
// icon folder is given, the desktop icon at the hicolor theme's usual sizes.
#include "Palette.h"
#include "Pictures.h"

#include "common/Png.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::array ICON_SIZES{16, 22, 24, 32, 48, 64, 128, 256};

bool drawIcons(const std::string& folder)
{
    for (const int size : ICON_SIZES) {
        Canvas canvas(size, size);
        drawIcon(canvas);
        const std::string edge = std::to_string(size);
        if (!writePng(folder + "/hicolor/" + edge + "x" + edge + "/apps/korvandeltix.png", canvas))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <run folder> [<icon folder>]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::vector<Picture> all = menuPictures();
    for (const Picture& p : messagePictures())
        all.push_back(p);

    // Two workers share the list; each picture is drawn by one of them from
    // fixed inputs, so the bytes do not depend on who draws it.
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        const Lettering lettering;
        if (!lettering.ready()) {
            failed = true;
            return;
        }
        for (std::size_t i = next++; i < all.size(); i = next++) {
            Canvas canvas(PICTURE_SIZE, PICTURE_SIZE, DESIGN_WIDTH);
            all[i].draw(canvas, lettering);
            if (!writePng(folder + "/" + all[i].path, canvas))
                failed = true;
        }
    };
    std::thread helper(work);
    work();
    helper.join();
    if (argc == 3 && !drawIcons(argv[2]))
        failed = true;
    if (failed) {
        std::fprintf(stderr, "korv_gen_pictures: could not draw or write the pictures into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
