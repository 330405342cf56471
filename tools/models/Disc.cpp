// The disc: a flat, lipped frisbee, model radius 1.1 so that the game's
// scale of 0.2 makes it 0.22 world units across its radius. Model y is up.
#include "Models.h"

#include "Drawing.h"
#include "common/Canvas.h"
#include "common/Png.h"
#include "MeshBuilder.h"
#include "Palette.h"
#include "Shapes.h"
#include "XFileWriter.h"

#include <cmath>
#include <filesystem>

namespace {

constexpr double RADIUS = 1.1;
constexpr int PICTURE = 256;
constexpr int SEGMENTS = 40;
const std::string FOLDER = "Meshes/Frisbee/";

Canvas drawDisc() {
    // Seen from above: lime face, dark rim, three curved blades and a hub,
    // so that the spin reads at a glance.
    Canvas c = filled(PICTURE, PICTURE, rgb(0x20242E));
    const double centre = PICTURE / 2.0, r = PICTURE / 2.0;
    disc(c, centre, centre, r * 0.93, palette::DISC);
    band(c, centre, centre, r * 0.80, r * 0.86, shade(palette::DISC, 0.7));
    const Rgba blade = rgb(0x1E2A5A);
    for (int b = 0; b < 3; ++b) {
        const double base = b * 2.0 * PI / 3.0;
        constexpr int STEPS = 24;
        for (int i = 0; i < STEPS; ++i) {
            const double t0 = static_cast<double>(i) / STEPS, t1 = (i + 1.0) / STEPS;
            auto at = [&](double t) {
                const double radius = r * (0.22 + 0.52 * t);
                const double angle = base + 1.5 * t * t;
                return std::pair{centre + radius * std::cos(angle), centre + radius * std::sin(angle)};
            };
            const auto [x0, y0] = at(t0);
            const auto [x1, y1] = at(t1);
            line(c, x0, y0, x1, y1, r * (0.2 - 0.15 * t0), blade);
        }
    }
    disc(c, centre, centre, r * 0.2, palette::WHITE);
    band(c, centre, centre, r * 0.2, r * 0.25, blade);
    disc(c, centre + r * 0.07, centre - r * 0.07, r * 0.06, palette::GOLD);
    return c;
}

}  // namespace

bool writeDisc(const std::string& runFolder) {
    const std::filesystem::path dir = std::filesystem::path(runFolder) / FOLDER;
    std::filesystem::create_directories(dir);

    MeshBuilder m;
    XMaterial face;
    face.name = "Disc";
    face.texture = FOLDER + "disc.png";
    face.emissive = {0.25, 0.25, 0.25, 1.0};
    const int material = m.addMaterial(face);
    // Bottom centre, out along the underside, round the lip and over the
    // slightly domed top.
    lathe(m, material, Frame{},
          {{0.0, -0.1},
           {0.9, -0.1, true},
           {1.04, -0.06},
           {RADIUS, 0.0},
           {1.08, 0.07},
           {1.0, 0.12, true},
           {0.6, 0.15},
           {0.0, 0.16}},
          SEGMENTS, topProjection(RADIUS, RADIUS, {0.0, 0.0}, {1.0, 1.0}));

    const std::string d = dir.string();
    return writeXFile(d + "frisbee.x", m) && writePng(d + "disc.png", drawDisc());
}
