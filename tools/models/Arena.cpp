// The arena: the court with its markings, the low side walls, the goal ends
// and the stands around it. Built in world units and then carried into the
// model space that the game's placement (position (0, 0.03, -5.5), rotation
// (90, 90, 0), scale (2.2, 1.5, 1.5)) turns back into the world: model z runs
// along world x, model x along world y and model y upward.
#include "Models.h"

#include "Drawing.h"
#include "common/Canvas.h"
#include "common/Png.h"
#include "MeshBuilder.h"
#include "Palette.h"
#include "Shapes.h"
#include "XFileWriter.h"

#include <cmath>
#include <cstdint>
#include <filesystem>

namespace {

// Where the game puts the arena.
constexpr double PLACE_Y = 0.03;
constexpr double PLACE_Z = -5.5;
constexpr double SCALE_ALONG = 2.2;   // world x
constexpr double SCALE_ACROSS = 1.5;  // world y
constexpr double SCALE_UP = 1.5;      // world z

// The court, in world units.
constexpr double FLOOR_Z = -5.5;
constexpr double GOAL_X = 6.5;
constexpr double ZONE_Y = 0.6;        // a goal within |y| < 0.6 is worth 5
constexpr double NEUTRAL_X = 1.0;     // neither robot may cross into |x| < 1
constexpr double COURT_END_X = 7.3;   // the end zones run from the goal lines to here
constexpr double WALL_INNER_Y = 2.45;
constexpr double WALL_OUTER_Y = 2.75;
constexpr double WALL_TOP_Z = -5.25;
constexpr double END_WALL_X = 7.6;
constexpr double GOAL_LINE_HALF_WIDTH = 0.045;
constexpr double MARK_LIFT = 0.006;   // paint strips lie this far above the floor

// Around the court.
constexpr double GROUND_Z = -5.58;
constexpr double GROUND_X = 13.0;
constexpr double GROUND_Y = 9.0;
constexpr double WALKWAY_Y = 3.1;
constexpr double STANDS_X = 7.8;      // side stands end here; the end stands start here
constexpr double STANDS_END_Y = 6.4;
constexpr int TIERS = 6;
constexpr double TIER_DEPTH_SIDE = 0.42;
constexpr double TIER_DEPTH_END = 0.45;
constexpr double TIER_RISE = 0.18;
constexpr double FIRST_TIER_Z = -5.32;
constexpr double RIM_Z = -4.2;
constexpr double RIM_DEPTH = 1.0;
// The upper tiers lie in the roof's shade: calmer behind the score display.
constexpr int SHADED_TIER = 3;
constexpr double UPPER_TIER_LIGHT = 0.42;

// Picture sizes.
constexpr int FLOOR_W = 1536;
constexpr int FLOOR_H = 512;
constexpr int WALLS_W = 1024;
constexpr int WALLS_H = 64;
constexpr int STANDS_W = 1024;
constexpr int STANDS_H = 256;
constexpr int CROWD_ROWS = 4;
constexpr int SWATCH_GRID = 4;
constexpr int SWATCH_SIZE = 16;

const std::string FOLDER = "Meshes/Arena/";

// The structure picture is a palette of flat colours.
enum Swatch { CONCOURSE, WALKWAY, RISER, RIM, GOLD_PAINT, STEEL, WALL_SIDE, SWATCH_COUNT };

Vec2 swatchUv(Swatch s) {
    const int i = static_cast<int>(s);
    return {(i % SWATCH_GRID + 0.5) / SWATCH_GRID, (i / SWATCH_GRID + 0.5) / SWATCH_GRID};
}

Rgba swatchColour(Swatch s) {
    switch (s) {
        case CONCOURSE: return rgb(0x171A22);
        case WALKWAY: return rgb(0x2A303C);
        case RISER: return rgb(0x3C4458);
        case RIM: return rgb(0x232836);
        case GOLD_PAINT: return palette::GOLD;
        case STEEL: return rgb(0x9AA4B8);
        case WALL_SIDE: return rgb(0x3A4660);
        default: return palette::INK;
    }
}

// Deterministic pseudo-random numbers for the crowd.
struct Random {
    std::uint32_t state;
    double next() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 16777216.0;
    }
};

class FloorPicture {
public:
    // The picture is laid so that it reads on screen as drawn: world +x is on
    // the left of the screen and +y at the top.
    static double px(double x) { return (COURT_END_X - x) / (2.0 * COURT_END_X) * FLOOR_W; }
    static double py(double y) { return (WALL_INNER_Y - y) / (2.0 * WALL_INNER_Y) * FLOOR_H; }
    static double units(double d) { return d / (2.0 * COURT_END_X) * FLOOR_W; }
    static Vec2 uv(double x, double y) { return {px(x) / FLOOR_W, py(y) / FLOOR_H}; }

    static Canvas draw() {
        const Rgba slate = palette::SLATE;
        const Rgba halfOne = mix(slate, palette::PLAYER_ONE, 0.24);
        const Rgba halfTwo = mix(slate, palette::PLAYER_TWO, 0.24);
        Canvas c = filled(FLOOR_W, FLOOR_H, halfOne);
        fillRect(c, px(0.0), 0, FLOOR_W, FLOOR_H, halfTwo);

        // Floor panels every half unit.
        for (double x = -7.0; x <= 7.0; x += 0.5)
            line(c, px(x), 0, px(x), FLOOR_H, 1.5, withAlpha(palette::WHITE, 14 / 255.0f));
        for (double y = -2.0; y <= 2.0; y += 0.5)
            line(c, 0, py(y), FLOOR_W, py(y), 1.5, withAlpha(palette::WHITE, 14 / 255.0f));

        // The neutral strip between the two halves, hatched.
        fillRect(c, px(NEUTRAL_X), 0, px(-NEUTRAL_X), FLOOR_H, rgb(0x232733));
        c.fill(hatch(px(NEUTRAL_X), 0, px(-NEUTRAL_X), FLOOR_H, units(0.25), units(0.07)), withAlpha(palette::WHITE, 18 / 255.0f));
        for (double y = -WALL_INNER_Y; y < WALL_INNER_Y; y += 0.3)
            for (double x : {NEUTRAL_X, -NEUTRAL_X})
                line(c, px(x), py(y + 0.05), px(x), py(y + 0.2), units(0.045),
                       withAlpha(palette::WHITE, 150 / 255.0f));

        // Each half's number, large and quiet.
        const double numberHeight = 2.2, stroke = 0.28;
        digit(c, 1, px(3.7) - units(numberHeight / 4.0), py(numberHeight / 2.0), units(numberHeight),
              units(stroke), shade(halfOne, 1.18));
        digit(c, 2, px(-3.7) - units(numberHeight / 4.0), py(numberHeight / 2.0),
              units(numberHeight), units(stroke), shade(halfTwo, 1.18));

        // The centre line and circle.
        line(c, px(0.0), 0, px(0.0), FLOOR_H, units(0.07), palette::WHITE);
        band(c, px(0.0), py(0.0), units(0.85), units(0.91), palette::WHITE);
        disc(c, px(0.0), py(0.0), units(0.85), rgb(0x262B38));
        band(c, px(0.0), py(0.0), units(0.3), units(0.42), palette::GOLD);
        disc(c, px(0.0), py(0.0), units(0.1), palette::GOLD);
        line(c, px(0.0), py(0.85), px(0.0), py(-0.85), units(0.07), palette::WHITE);

        // The end zones behind the goal lines: 5 in the middle, 3 on each side.
        for (double side : {1.0, -1.0}) {
            const Rgba team = side > 0 ? palette::PLAYER_ONE : palette::PLAYER_TWO;
            const double a = px(side * GOAL_X), b = px(side * COURT_END_X);
            const double x0 = std::min(a, b), x1 = std::max(a, b);
            fillRect(c, x0, 0, x1, FLOOR_H, shade(mix(slate, team, 0.35), 0.75));
            c.fill(hatch(x0, 0, x1, FLOOR_H, units(0.22), units(0.06)), withAlpha(team, 110 / 255.0f));
            fillRect(c, x0, py(ZONE_Y), x1, py(-ZONE_Y), palette::GOLD);
            const double h = 0.62, w = h / 2.0;
            const double cx = (x0 + x1) / 2.0;
            digit(c, 5, cx - units(w / 2.0), py(h / 2.0), units(h), units(0.1), palette::INK);
            for (double y : {1.5, -1.5})
                digit(c, 3, cx - units(w / 2.0), py(y + h / 2.0), units(h), units(0.1),
                      withAlpha(palette::WHITE, 220 / 255.0f));
            // The lane in front of the 5 zone.
            for (double y : {ZONE_Y, -ZONE_Y})
                line(c, px(side * GOAL_X), py(y), px(side * (GOAL_X - 1.2)), py(y), units(0.05),
                       palette::GOLD);
            line(c, px(side * (GOAL_X - 1.2)), py(ZONE_Y), px(side * (GOAL_X - 1.2)), py(-ZONE_Y),
                   units(0.05), withAlpha(palette::GOLD, 170 / 255.0f));
            line(c, px(side * GOAL_X), 0, px(side * GOAL_X), FLOOR_H, units(0.09), palette::WHITE);
        }

        // The side boundary lines.
        for (double y : {WALL_INNER_Y - 0.09, -(WALL_INNER_Y - 0.09)})
            line(c, px(GOAL_X), py(y), px(-GOAL_X), py(y), units(0.05), palette::WHITE);
        return c;
    }
};

Canvas drawWalls() {
    // Rows 0-31: the top of the side walls, u running along x as the floor.
    // Rows 32-63: their faces, one flat colour.
    Canvas c = filled(WALLS_W, WALLS_H, rgb(0x1C2232));
    auto u = [](double x) { return (END_WALL_X - x) / (2.0 * END_WALL_X) * WALLS_W; };
    fillRect(c, 0, 9, u(0.0), 23, palette::PLAYER_ONE);
    fillRect(c, u(0.0), 9, WALLS_W, 23, palette::PLAYER_TWO);
    for (int x = -7; x <= 7; ++x) fillRect(c, u(x) - 1.5, 9, u(x) + 1.5, 23, palette::WHITE);
    for (double x : {GOAL_X, -GOAL_X}) fillRect(c, u(x) - 6, 4, u(x) + 6, 28, palette::GOLD);
    fillRect(c, u(0.0) - 5, 4, u(0.0) + 5, 28, palette::WHITE);
    fillRect(c, 0, 32, WALLS_W, WALLS_H, swatchColour(WALL_SIDE));
    fillRect(c, 0, 44, WALLS_W, 48, withAlpha(palette::WHITE, 90 / 255.0f));
    return c;
}

Canvas drawStands() {
    // Four rows of seats with their spectators, seen from above: the first
    // two split in the players' colours (left half player one, as on
    // screen), the third all player one's, the fourth all player two's.
    Canvas c = filled(STANDS_W, STANDS_H, rgb(0x2B303C));
    Random random{0x4B4F5256u};
    const int rowH = STANDS_H / CROWD_ROWS;
    const Rgba shirts[] = {rgb(0xF2F4F8), rgb(0xFFC83A), rgb(0x58D68D), rgb(0xF06292),
                           rgb(0x9575CD), rgb(0xFF8A65), rgb(0x4FC3F7), rgb(0xE0E0E0)};
    const Rgba skins[] = {rgb(0xF1C27D), rgb(0xC68642), rgb(0x8D5524), rgb(0xFFDBAC),
                          rgb(0x5C3A21)};
    for (int row = 0; row < CROWD_ROWS; ++row) {
        const double top = row * rowH;
        const double seatW = 17.0;
        for (double x = 2.0; x + seatW <= STANDS_W - 2.0; x += seatW + 2.0) {
            const bool firstHalf = x + seatW / 2.0 < STANDS_W / 2.0;
            const Rgba team = row == 2 ? palette::PLAYER_ONE
                              : row == 3 ? palette::PLAYER_TWO
                              : firstHalf ? palette::PLAYER_ONE
                                          : palette::PLAYER_TWO;
            // Stairs every so often: no seats there.
            const int column = static_cast<int>(x / (seatW + 2.0));
            if (column % 13 == 6) {
                fillRect(c, x, top, x + seatW, top + rowH, rgb(0x4A5263));
                for (double s = top + 4; s < top + rowH; s += 10)
                    fillRect(c, x + 1, s, x + seatW - 1, s + 2, rgb(0x5E687C));
                continue;
            }
            c.fill(roundedRect(x, top + 6, x + seatW, top + rowH - 6, 3.0), shade(team, 0.42));
            c.fill(roundedRect(x, top + 6, x + seatW, top + 14, 3.0), shade(team, 0.62));
            if (random.next() < 0.22) continue;
            const double cx = x + seatW / 2.0 + (random.next() - 0.5) * 3.0;
            const double cy = top + rowH * 0.55 + (random.next() - 0.5) * 6.0;
            const Rgba shirt = random.next() < 0.55
                                   ? team
                                   : shirts[static_cast<int>(random.next() * 8) % 8];
            c.fill(roundedRect(cx - 8, cy - 6, cx + 8, cy + 10, 6.0), shirt);
            disc(c, cx, cy - 2, 5.5, skins[static_cast<int>(random.next() * 5) % 5]);
            if (random.next() < 0.3) {  // a raised arm, waving
                const double side = random.next() < 0.5 ? -1.0 : 1.0;
                line(c, cx + side * 7, cy, cx + side * 10, cy - 14, 3.5, shirt);
            }
        }
        fillRect(c, 0, top, STANDS_W, top + 3, rgb(0x1A1E27));
    }
    return c;
}

Canvas drawStructure() {
    Canvas c = filled(SWATCH_GRID * SWATCH_SIZE, SWATCH_GRID * SWATCH_SIZE, palette::INK);
    for (int s = 0; s < SWATCH_COUNT; ++s) {
        const int x = s % SWATCH_GRID * SWATCH_SIZE, y = s / SWATCH_GRID * SWATCH_SIZE;
        fillRect(c, x, y, x + SWATCH_SIZE, y + SWATCH_SIZE, swatchColour(static_cast<Swatch>(s)));
    }
    return c;
}

Canvas drawLights() {
    // Left half warm white, right half gold; both glow.
    Canvas c = filled(32, 16, rgb(0xFFF4D8));
    fillRect(c, 16, 0, 32, 16, palette::GOLD);
    return c;
}

const Vec2 LIGHT_WHITE{0.25, 0.5};
const Vec2 LIGHT_GOLD{0.75, 0.5};

struct Materials {
    int floor, goal, walls, stands, standsShaded, structure, lights;
};

// A quad in world space with one normal; texture coordinates from the point.
void worldQuad(MeshBuilder& m, int material, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 normal,
               const std::function<Vec2(Vec3)>& uv) {
    auto v = [&](Vec3 p) { return Vertex{p, normal, uv(p)}; };
    m.quad(material, v(a), v(b), v(c), v(d));
}

std::function<Vec2(Vec3)> flat(Vec2 uv) {
    return [uv](Vec3) { return uv; };
}

// A horizontal rectangle facing up.
void top(MeshBuilder& m, int material, double x0, double x1, double y0, double y1, double z,
         const std::function<Vec2(Vec3)>& uv) {
    worldQuad(m, material, {x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z}, {0, 0, 1}, uv);
}

// A vertical rectangle at y = y from x0 to x1, facing +y or -y.
void faceY(MeshBuilder& m, int material, double x0, double x1, double y, double z0, double z1,
           double facing, const std::function<Vec2(Vec3)>& uv) {
    worldQuad(m, material, {x0, y, z0}, {x1, y, z0}, {x1, y, z1}, {x0, y, z1}, {0, facing, 0}, uv);
}

// A vertical rectangle at x = x from y0 to y1, facing +x or -x.
void faceX(MeshBuilder& m, int material, double x, double y0, double y1, double z0, double z1,
           double facing, const std::function<Vec2(Vec3)>& uv) {
    worldQuad(m, material, {x, y0, z0}, {x, y1, z0}, {x, y1, z1}, {x, y0, z1}, {facing, 0, 0}, uv);
}

void buildCourt(MeshBuilder& m, const Materials& mat) {
    // The floor, in panels so that the per-vertex light follows it closely.
    constexpr int ALONG = 16, ACROSS = 6;
    for (int i = 0; i < ALONG; ++i)
        for (int j = 0; j < ACROSS; ++j) {
            const double x0 = -COURT_END_X + 2.0 * COURT_END_X * i / ALONG;
            const double x1 = -COURT_END_X + 2.0 * COURT_END_X * (i + 1) / ALONG;
            const double y0 = -WALL_INNER_Y + 2.0 * WALL_INNER_Y * j / ACROSS;
            const double y1 = -WALL_INNER_Y + 2.0 * WALL_INNER_Y * (j + 1) / ACROSS;
            top(m, mat.floor, x0, x1, y0, y1, FLOOR_Z,
                [](Vec3 p) { return FloorPicture::uv(p.x, p.y); });
        }

    // The goal lines, raised a hair above the floor and glowing: gold along
    // the 5-point zone, white elsewhere.
    const Vec2 goalGold{0.5, 0.25}, goalWhite{0.5, 0.75};
    for (double side : {1.0, -1.0}) {
        const double x0 = side * GOAL_X - GOAL_LINE_HALF_WIDTH;
        const double x1 = side * GOAL_X + GOAL_LINE_HALF_WIDTH;
        const double z = FLOOR_Z + MARK_LIFT;
        top(m, mat.goal, x0, x1, -WALL_INNER_Y, -ZONE_Y, z, flat(goalWhite));
        top(m, mat.goal, x0, x1, -ZONE_Y, ZONE_Y, z, flat(goalGold));
        top(m, mat.goal, x0, x1, ZONE_Y, WALL_INNER_Y, z, flat(goalWhite));
    }

    // Side walls: the disc rebounds off their inner faces.
    const auto wallTop = [](double yInner, double yOuter) {
        return [=](Vec3 p) {
            const double u = (END_WALL_X - p.x) / (2.0 * END_WALL_X);
            const double t = (p.y - yInner) / (yOuter - yInner);
            return Vec2{u, (2.0 + 28.0 * t) / WALLS_H};
        };
    };
    const auto wallSide = flat({0.5, 40.0 / WALLS_H});
    for (double side : {1.0, -1.0}) {
        const double inner = side * WALL_INNER_Y, outer = side * WALL_OUTER_Y;
        top(m, mat.walls, -END_WALL_X, END_WALL_X, std::min(inner, outer), std::max(inner, outer),
            WALL_TOP_Z, wallTop(inner, outer));
        faceY(m, mat.walls, -END_WALL_X, END_WALL_X, inner, FLOOR_Z, WALL_TOP_Z, -side, wallSide);
        faceY(m, mat.walls, -END_WALL_X, END_WALL_X, outer, FLOOR_Z, WALL_TOP_Z, side, wallSide);
    }

    // The goal ends: a low wall behind each end zone, its top glowing gold
    // behind the 5-point zone, and two gold posts marking that zone.
    const Vec2 steel = swatchUv(STEEL);
    for (double side : {1.0, -1.0}) {
        const double inner = side * COURT_END_X, outer = side * END_WALL_X;
        const double x0 = std::min(inner, outer), x1 = std::max(inner, outer);
        top(m, mat.structure, x0, x1, -WALL_INNER_Y, -ZONE_Y, WALL_TOP_Z, flat(steel));
        top(m, mat.lights, x0, x1, -ZONE_Y, ZONE_Y, WALL_TOP_Z, flat(LIGHT_GOLD));
        top(m, mat.structure, x0, x1, ZONE_Y, WALL_INNER_Y, WALL_TOP_Z, flat(steel));
        faceX(m, mat.walls, inner, -WALL_INNER_Y, WALL_INNER_Y, FLOOR_Z, WALL_TOP_Z, -side,
              wallSide);
        for (double y : {ZONE_Y, -ZONE_Y}) {
            Frame post;
            post.origin = {side * 6.9, y, FLOOR_Z};
            post.right = {1, 0, 0};
            post.up = {0, 0, 1};
            post.forward = {0, 1, 0};
            lathe(m, mat.structure, post,
                  {{0.0, 0.0}, {0.07, 0.0, true}, {0.07, 0.2, true}, {0.05, 0.26}, {0.0, 0.27}}, 16,
                  swatch(swatchUv(GOLD_PAINT)));
        }
    }
}

void buildSurroundings(MeshBuilder& m, const Materials& mat) {
    // The concourse under everything, so that no gap shows the clear colour.
    top(m, mat.structure, -GROUND_X, GROUND_X, -GROUND_Y, GROUND_Y, GROUND_Z,
        flat(swatchUv(CONCOURSE)));

    for (double side : {1.0, -1.0}) {
        // The walkway behind each side wall, with lamps set in it.
        const double w0 = std::min(side * WALL_OUTER_Y, side * WALKWAY_Y);
        const double w1 = std::max(side * WALL_OUTER_Y, side * WALKWAY_Y);
        top(m, mat.structure, -STANDS_X, STANDS_X, w0, w1, FLOOR_Z, flat(swatchUv(WALKWAY)));
        for (double x = -7.0; x <= 7.01; x += 1.4) {
            const double y = side * (WALL_OUTER_Y + WALKWAY_Y) / 2.0;
            top(m, mat.lights, x - 0.1, x + 0.1, y - 0.07, y + 0.07, FLOOR_Z + MARK_LIFT,
                flat(LIGHT_WHITE));
        }

        // Side stands: tiers rising away from the court.
        double below = FLOOR_Z;
        for (int k = 0; k < TIERS; ++k) {
            const double near = WALKWAY_Y + TIER_DEPTH_SIDE * k;
            const double far = near + TIER_DEPTH_SIDE;
            const double z = FIRST_TIER_Z + TIER_RISE * k;
            const int row = k % 2;
            const auto crowd = [=](Vec3 p) {
                const double u = (STANDS_X - p.x) / (2.0 * STANDS_X);
                const double t = side > 0 ? (far - p.y) / (far - near) : (-near - p.y) / (far - near);
                return Vec2{u, (row + 0.06 + 0.88 * t) / CROWD_ROWS};
            };
            top(m, k < SHADED_TIER ? mat.stands : mat.standsShaded, -STANDS_X, STANDS_X,
                std::min(side * near, side * far),
                std::max(side * near, side * far), z, crowd);
            faceY(m, mat.structure, -STANDS_X, STANDS_X, side * near, below, z, -side,
                  flat(swatchUv(RISER)));
            below = z;
        }
        const double rimNear = WALKWAY_Y + TIER_DEPTH_SIDE * TIERS;
        faceY(m, mat.structure, -STANDS_X, STANDS_X, side * rimNear, below, RIM_Z, -side,
              flat(swatchUv(RISER)));
        top(m, mat.structure, -STANDS_X, STANDS_X,
            std::min(side * rimNear, side * STANDS_END_Y), std::max(side * rimNear, side * STANDS_END_Y),
            RIM_Z, flat(swatchUv(RIM)));
        top(m, mat.lights, -STANDS_X, STANDS_X,
            std::min(side * rimNear, side * (rimNear + 0.12)),
            std::max(side * rimNear, side * (rimNear + 0.12)), RIM_Z + MARK_LIFT, flat(LIGHT_WHITE));

        // End stands behind each goal, across the whole width.
        below = FLOOR_Z;
        for (int k = 0; k < TIERS; ++k) {
            const double near = STANDS_X + TIER_DEPTH_END * k;
            const double far = near + TIER_DEPTH_END;
            const double z = FIRST_TIER_Z + TIER_RISE * k;
            const int row = side > 0 ? 2 : 3;
            const auto crowd = [=](Vec3 p) {
                const double u = (STANDS_END_Y - p.y) / (2.0 * STANDS_END_Y);
                const double t = (std::abs(p.x) - near) / (far - near);
                return Vec2{u, (row + 0.06 + 0.88 * t) / CROWD_ROWS};
            };
            top(m, k < SHADED_TIER ? mat.stands : mat.standsShaded,
                std::min(side * near, side * far), std::max(side * near, side * far),
                -STANDS_END_Y, STANDS_END_Y, z, crowd);
            faceX(m, mat.structure, side * near, -STANDS_END_Y, STANDS_END_Y, below, z, -side,
                  flat(swatchUv(RISER)));
            below = z;
        }
        const double endRim = STANDS_X + TIER_DEPTH_END * TIERS;
        faceX(m, mat.structure, side * endRim, -STANDS_END_Y, STANDS_END_Y, below, RIM_Z, -side,
              flat(swatchUv(RISER)));
        top(m, mat.structure, std::min(side * endRim, side * (endRim + RIM_DEPTH)),
            std::max(side * endRim, side * (endRim + RIM_DEPTH)), -STANDS_END_Y, STANDS_END_Y,
            RIM_Z, flat(swatchUv(RIM)));
        top(m, mat.lights, std::min(side * endRim, side * (endRim + 0.12)),
            std::max(side * endRim, side * (endRim + 0.12)), -STANDS_END_Y, STANDS_END_Y,
            RIM_Z + MARK_LIFT, flat(LIGHT_WHITE));
    }
}

XMaterial material(const std::string& name, const std::string& texture, double glow = 0.0) {
    XMaterial m;
    m.name = name;
    m.texture = FOLDER + texture;
    m.emissive = {glow, glow, glow, 1.0};
    return m;
}

}  // namespace

bool writeArena(const std::string& runFolder) {
    const std::filesystem::path dir = std::filesystem::path(runFolder) / FOLDER;
    std::filesystem::create_directories(dir);

    MeshBuilder m;
    Materials mat{};
    mat.floor = m.addMaterial(material("Floor", "floor.png"));
    mat.goal = m.addMaterial(material("GoalLine", "goal.png", 0.5));
    mat.walls = m.addMaterial(material("Walls", "walls.png"));
    mat.stands = m.addMaterial(material("Stands", "stands.png"));
    XMaterial shaded = material("StandsShaded", "stands.png");
    shaded.diffuse = {UPPER_TIER_LIGHT, UPPER_TIER_LIGHT, UPPER_TIER_LIGHT, 1.0};
    mat.standsShaded = m.addMaterial(shaded);
    mat.structure = m.addMaterial(material("Structure", "structure.png"));
    mat.lights = m.addMaterial(material("Lights", "lights.png", 0.9));
    buildCourt(m, mat);
    buildSurroundings(m, mat);

    // World to model space: the inverse of the game's placement. Normals
    // take the inverse transpose of that map.
    m.transform(
        [](Vec3 w) {
            return Vec3{(w.y - PLACE_Y) / SCALE_ACROSS, (w.z - PLACE_Z) / SCALE_UP,
                        w.x / SCALE_ALONG};
        },
        [](Vec3 n) { return Vec3{n.y * SCALE_ACROSS, n.z * SCALE_UP, n.x * SCALE_ALONG}; });

    Canvas goal = filled(16, 16, palette::GOLD);
    fillRect(goal, 0, 8, 16, 16, palette::WHITE);
    const std::string d = dir.string();
    return writeXFile(d + "arena.x", m) && writePng(d + "floor.png", FloorPicture::draw()) &&
           writePng(d + "goal.png", goal) && writePng(d + "walls.png", drawWalls()) &&
           writePng(d + "stands.png", drawStands()) && writePng(d + "structure.png", drawStructure()) &&
           writePng(d + "lights.png", drawLights());
}
