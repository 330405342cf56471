// The two robot models, each in three parts (head, body, bottom) drawn at
// one spot: the game places every part at the robot's position (z = -5.0)
// with scale 0.3 and stands it up so that model y is world up and model +z
// is the part's facing. The floor (z = -5.5) is thus at model y = -5/3.
// The small robot is round and silver-white with gold lights, about 0.8
// world units across; the big one is blocky slate with violet lights, about
// 1.1 across.
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

constexpr double FLOOR_Y = -5.0 / 3.0;
constexpr int ROUND = 28;  // segments of round parts

// Each robot has one picture: a palette of flat colours on top and tread
// stripes below.
constexpr int ATLAS_W = 128;
constexpr int ATLAS_H = 256;
constexpr int SWATCH = 32;
constexpr int SWATCHES_PER_ROW = ATLAS_W / SWATCH;

enum Colour { MAIN, MAIN_SHADE, LIGHT, DARK, INK, EYE, ACCENT, STEEL, VISOR, COLOUR_COUNT };

struct Look {
    Rgba colours[COLOUR_COUNT];
};

Vec2 uvOf(Colour c) {
    const int i = static_cast<int>(c);
    return {(i % SWATCHES_PER_ROW * SWATCH + SWATCH / 2.0) / ATLAS_W,
            (i / SWATCHES_PER_ROW * SWATCH + SWATCH / 2.0) / ATLAS_H};
}

UvMap paint(Colour c) { return swatch(uvOf(c)); }

Canvas drawAtlas(const Look& look) {
    Canvas canvas = filled(ATLAS_W, ATLAS_H, palette::INK);
    for (int i = 0; i < COLOUR_COUNT; ++i) {
        const int x = i % SWATCHES_PER_ROW * SWATCH, y = i / SWATCHES_PER_ROW * SWATCH;
        fillRect(canvas, x, y, x + SWATCH, y + SWATCH, look.colours[i]);
    }
    const Rgba tread = look.colours[DARK];
    fillRect(canvas, 0, ATLAS_H / 2.0, ATLAS_W, ATLAS_H, shade(tread, 0.6));
    for (int s = 0; s < 16; ++s) {
        const double y = ATLAS_H / 2.0 + s * 8.0;
        fillRect(canvas, 0, y + 1, ATLAS_W, y + 5, shade(tread, 1.25));
    }
    return canvas;
}

// Tread stripes run along a belt: v follows the position along z.
UvMap treadStripes(double halfLength) {
    return [halfLength](Vec3 p, Vec3) {
        return Vec2{0.5, 0.5 + 0.5 * (p.z + halfLength) / (2.0 * halfLength)};
    };
}

struct Part {
    MeshBuilder mesh;
    int paint = 0;
    int glow = 0;
};

Part newPart(const std::string& folder) {
    Part p;
    XMaterial paintMaterial;
    paintMaterial.name = "Paint";
    paintMaterial.texture = folder + "robot.png";
    XMaterial glowMaterial = paintMaterial;
    glowMaterial.name = "Glow";
    glowMaterial.emissive = {0.85, 0.85, 0.85, 1.0};
    p.paint = p.mesh.addMaterial(paintMaterial);
    p.glow = p.mesh.addMaterial(glowMaterial);
    return p;
}

Frame at(Vec3 origin) {
    Frame f;
    f.origin = origin;
    return f;
}

// A round rod between two points with ball ends.
void rod(Part& p, int material, Vec3 from, Vec3 to, double radius, Colour colour) {
    const double l = length(to - from);
    lathe(p.mesh, material, Frame::along(from, to),
          {{0.0, 0.0}, {radius, 0.0, true}, {radius, l, true}, {0.0, l}}, 12, paint(colour));
}

void ball(Part& p, int material, Vec3 centre, double radius, Colour colour) {
    ellipsoid(p.mesh, material, at(centre), {radius, radius, radius}, 16, 10, paint(colour));
}

// A wheel or hub turning about the x axis: a flat cylinder of the given
// radius and width, its edges softened.
void wheel(Part& p, int material, Vec3 centre, double radius, double width, Colour colour) {
    const double h = width / 2.0, bevel = std::min(radius, width) * 0.25;
    lathe(p.mesh, material, at(centre).onSide(),
          {{0.0, -h},
           {radius - bevel, -h, true},
           {radius, -h + bevel},
           {radius, h - bevel},
           {radius - bevel, h, true},
           {0.0, h}},
          ROUND, paint(colour));
}

// ---- The small robot ----------------------------------------------------

const Look SMALL_LOOK{{palette::SMALL_BODY, palette::SMALL_SHADE, palette::GOLD, palette::RUBBER,
                       palette::INK, rgb(0xFFE27A), palette::GOLD, palette::SMALL_SHADE,
                       rgb(0x141A33)}};

void smallBottom(Part& p) {
    // Two big wheels on the sides, a low chassis between them and a bumper
    // with headlights in front.
    const double wheelR = 0.62, wheelY = FLOOR_Y + wheelR;
    for (double side : {-1.0, 1.0}) {
        wheel(p, p.paint, {side * 1.13, wheelY, 0.0}, wheelR, 0.4, DARK);
        wheel(p, p.paint, {side * 1.35, wheelY, 0.0}, 0.3, 0.08, MAIN);
        wheel(p, p.paint, {side * 1.4, wheelY, 0.0}, 0.12, 0.06, LIGHT);
    }
    prism(p.mesh, p.paint, Frame{},
          {{-0.55, -0.95}, {0.55, -0.95}, {0.8, -0.6}, {0.8, 0.6}, {0.55, 0.95}, {-0.55, 0.95},
           {-0.8, 0.6}, {-0.8, -0.6}},
          FLOOR_Y + 0.3, FLOOR_Y + 0.72, paint(MAIN_SHADE), paint(DARK));
    box(p.mesh, p.paint, Frame{}, {0.0, FLOOR_Y + 0.42, 1.02}, {0.6, 0.16, 0.12}, paint(MAIN));
    for (double side : {-1.0, 1.0})
        box(p.mesh, p.glow, Frame{}, {side * 0.32, FLOOR_Y + 0.46, 1.15}, {0.13, 0.07, 0.03},
            paint(EYE));
    // An arrow on the chassis top pointing forward.
    prism(p.mesh, p.glow, Frame{}, {{0.0, 0.85}, {0.3, 0.45}, {-0.3, 0.45}}, FLOOR_Y + 0.72,
          FLOOR_Y + 0.75, paint(ACCENT), paint(ACCENT));
}

void smallBody(Part& p) {
    // A round belly with a band, short arms and a glowing core in front.
    const double centreY = -0.45;
    ellipsoid(p.mesh, p.paint, at({0.0, centreY, 0.0}), {0.84, 0.62, 0.84}, ROUND, 14, paint(MAIN));
    lathe(p.mesh, p.paint, at({0.0, centreY - 0.17, 0.0}),
          {{0.0, 0.0}, {0.86, 0.0, true}, {0.86, 0.2, true}, {0.0, 0.2}}, ROUND, paint(MAIN_SHADE));
    lathe(p.mesh, p.paint, at({0.0, 0.05, 0.0}),
          {{0.0, 0.0}, {0.25, 0.0, true}, {0.25, 0.3, true}, {0.0, 0.3}}, 16, paint(DARK));
    for (double side : {-1.0, 1.0}) {
        ball(p, p.paint, {side * 0.82, -0.3, 0.0}, 0.24, DARK);
        ellipsoid(p.mesh, p.paint, at({side * 1.02, -0.62, 0.08}), {0.19, 0.36, 0.19}, 16, 10,
                  paint(MAIN_SHADE));
        ball(p, p.paint, {side * 1.08, -0.98, 0.16}, 0.2, LIGHT);
    }
    // The core sits on the front of the belly, facing forward.
    Frame core = Frame::facing({0.0, centreY + 0.12, 0.74}, {0.0, 0.25, 1.0});
    Frame plate;
    plate.origin = core.origin;
    plate.up = core.forward;
    plate.right = core.right;
    plate.forward = core.up * -1.0;
    lathe(p.mesh, p.paint, plate, {{0.0, -0.1}, {0.34, -0.1, true}, {0.34, 0.04, true}, {0.0, 0.04}},
          ROUND, paint(MAIN_SHADE));
    lathe(p.mesh, p.glow, plate, {{0.0, 0.04}, {0.24, 0.04, true}, {0.2, 0.09}, {0.0, 0.1}}, ROUND,
          paint(ACCENT));
}

void smallHead(Part& p) {
    // A dome with a dark visor, two big glowing eyes set high on it so that
    // they show from above, and two antennae.
    const double centreY = 0.6, r = 0.66, ry = 0.52;
    ellipsoid(p.mesh, p.paint, at({0.0, centreY, 0.0}), {r, ry, r}, ROUND, 16, paint(MAIN));
    std::vector<ProfilePoint> visor;
    for (int i = 0; i <= 8; ++i) {
        const double h = -0.22 + 0.42 * i / 8.0;
        visor.push_back({1.03 * r * std::sqrt(1.0 - (h / ry) * (h / ry)), h});
    }
    visor.front().sharp = visor.back().sharp = true;
    lathe(p.mesh, p.paint, at({0.0, centreY, 0.0}), visor, 24, paint(VISOR), -70.0, 140.0);
    for (double side : {-1.0, 1.0}) {
        const double a = side * 27.0 * PI / 180.0, h = 0.1;
        const double rr = 1.05 * r * std::sqrt(1.0 - (h / ry) * (h / ry));
        const Vec3 direction{std::sin(a), 0.55, std::cos(a)};
        const Vec3 spot{rr * std::sin(a), centreY + h, rr * std::cos(a)};
        const Frame eye = Frame::facing(spot, direction);
        ellipsoid(p.mesh, p.glow, eye, {0.2, 0.23, 0.09}, 18, 10, paint(EYE));
        ellipsoid(p.mesh, p.paint, eye.moved({0.0, 0.03, 0.06}), {0.08, 0.09, 0.05}, 12, 8,
                  paint(INK));
        const Vec3 root{side * 0.45, centreY + 0.3, -0.05};
        const Vec3 tip{side * 1.12, centreY + 0.7, -0.15};
        rod(p, p.paint, root, tip, 0.05, DARK);
        ball(p, p.glow, tip, 0.13, ACCENT);
    }
}

// ---- The big robot ------------------------------------------------------

const Look BIG_LOOK{{palette::BIG_BODY, palette::BIG_SHADE, palette::BIG_LIGHT, palette::RUBBER,
                     palette::INK, rgb(0xD9BFFF), palette::VIOLET, rgb(0xA8B4C4), rgb(0x10142A)}};

// An outline in the side plane (z forward, y up), extruded across x.
void sideProfile(Part& p, int material, double x0, double x1, const std::vector<Vec2>& zy,
                 const UvMap& faces, const UvMap& ends) {
    Frame f;
    f.right = {0, -1, 0};
    f.up = {1, 0, 0};
    f.forward = {0, 0, 1};
    std::vector<Vec2> outline;
    for (const Vec2& q : zy) outline.push_back({-q.v, q.u});
    prism(p.mesh, material, f, outline, x0, x1, faces, ends);
}

void bigBottom(Part& p) {
    // Two treads with rounded ends, a hull between them and a glowing grille.
    const double halfLength = 1.6, top = FLOOR_Y + 0.72, bottom = FLOOR_Y, end = 0.36;
    std::vector<Vec2> belt;
    for (int i = 0; i <= 6; ++i) {  // front end, bottom to top
        const double a = -PI / 2.0 + PI * i / 6.0;
        belt.push_back({halfLength - end + end * std::cos(a), (top + bottom) / 2.0 + end * std::sin(a)});
    }
    for (int i = 0; i <= 6; ++i) {  // back end, top to bottom
        const double a = PI / 2.0 + PI * i / 6.0;
        belt.push_back({-halfLength + end + end * std::cos(a), (top + bottom) / 2.0 + end * std::sin(a)});
    }
    for (double side : {-1.0, 1.0}) {
        const double inner = side * 1.08, outer = side * 1.82;
        sideProfile(p, p.paint, std::min(inner, outer), std::max(inner, outer), belt,
                    treadStripes(halfLength), paint(DARK));
        for (double z : {-1.1, 0.0, 1.1})
            wheel(p, p.paint, {side * 1.84, (top + bottom) / 2.0, z}, 0.24, 0.06, MAIN);
    }
    box(p.mesh, p.paint, Frame{}, {0.0, FLOOR_Y + 0.5, 0.0}, {1.1, 0.32, 1.25}, paint(DARK));
    sideProfile(p, p.paint, -1.0, 1.0,
                {{-1.2, FLOOR_Y + 0.8}, {1.25, FLOOR_Y + 0.8}, {1.45, FLOOR_Y + 0.5},
                 {1.25, FLOOR_Y + 0.2}, {-1.2, FLOOR_Y + 0.2}},
                paint(MAIN_SHADE), paint(MAIN_SHADE));
    for (double x : {-0.55, 0.0, 0.55})
        box(p.mesh, p.glow, Frame::facing({x, FLOOR_Y + 0.66, 1.36}, {0.0, 0.8, 0.6}), {},
            {0.18, 0.06, 0.02}, paint(EYE));
}

void bigBody(Part& p) {
    // A broad chest with shoulder plates, heavy arms, glowing bars in front
    // and a chevron on top.
    sideProfile(p, p.paint, -1.2, 1.2,
                {{-0.7, -0.95}, {0.6, -0.95}, {0.85, -0.4}, {0.85, 0.1}, {0.6, 0.38}, {-0.7, 0.38}},
                paint(MAIN), paint(MAIN_SHADE));
    box(p.mesh, p.paint, Frame{}, {0.0, -1.0, 0.0}, {0.9, 0.1, 0.6}, paint(DARK));
    for (double side : {-1.0, 1.0}) {
        box(p.mesh, p.paint, Frame{}, {side * 1.45, 0.2, 0.0}, {0.3, 0.22, 0.62}, paint(LIGHT));
        box(p.mesh, p.paint, Frame{}, {side * 1.5, -0.45, 0.05}, {0.22, 0.45, 0.3}, paint(MAIN_SHADE));
        box(p.mesh, p.paint, Frame{}, {side * 1.52, -1.0, 0.12}, {0.26, 0.18, 0.32}, paint(MAIN));
    }
    for (double y : {0.0, -0.15, -0.3})
        box(p.mesh, p.glow, Frame{}, {0.0, y, 0.87}, {0.42, 0.045, 0.02}, paint(ACCENT));
    prism(p.mesh, p.glow, Frame{}, {{0.0, 0.55}, {0.35, 0.2}, {0.25, 0.1}, {0.0, 0.35},
                                    {-0.25, 0.1}, {-0.35, 0.2}},
          0.38, 0.42, paint(ACCENT), paint(ACCENT));
}

void bigHead(Part& p) {
    // A helmet with a sloped brow carrying a dark visor and two amber eyes,
    // ear pods and horn lights on the sides.
    sideProfile(p, p.paint, -0.85, 0.85,
                {{-0.6, 0.35}, {0.72, 0.35}, {0.72, 0.72}, {0.3, 1.15}, {-0.6, 1.15}},
                paint(MAIN), paint(MAIN_SHADE));
    const Frame brow = Frame::facing({0.0, 0.935, 0.51}, {0.0, 1.0, 1.0});
    box(p.mesh, p.paint, brow, {}, {0.8, 0.22, 0.03}, paint(VISOR));
    for (double side : {-1.0, 1.0}) {
        const Frame eye = brow.moved({side * 0.36, 0.0, 0.03});
        ellipsoid(p.mesh, p.glow, eye, {0.2, 0.11, 0.06}, 16, 8, paint(EYE));
        wheel(p, p.paint, {side * 0.98, 0.72, -0.05}, 0.3, 0.28, MAIN_SHADE);
        const Vec3 root{side * 1.05, 0.9, 0.0};
        const Vec3 tip{side * 1.55, 1.35, 0.05};
        rod(p, p.paint, root, tip, 0.06, STEEL);
        ball(p, p.glow, tip, 0.12, ACCENT);
    }
    box(p.mesh, p.paint, Frame{}, {0.0, 1.2, -0.15}, {0.12, 0.05, 0.4}, paint(LIGHT));
}

bool writeRobot(const std::string& runFolder, const std::string& folder, const Look& look,
                void (*head)(Part&), void (*body)(Part&), void (*bottom)(Part&)) {
    const std::filesystem::path dir = std::filesystem::path(runFolder) / folder;
    std::filesystem::create_directories(dir);
    const std::string d = dir.string();
    Part h = newPart(folder), b = newPart(folder), o = newPart(folder);
    head(h);
    body(b);
    bottom(o);
    return writeXFile(d + "head.x", h.mesh) && writeXFile(d + "body.x", b.mesh) &&
           writeXFile(d + "bottom.x", o.mesh) && writePng(d + "robot.png", drawAtlas(look));
}

}  // namespace

bool writeSmallRobot(const std::string& runFolder) {
    return writeRobot(runFolder, "Meshes/Robot/Small/", SMALL_LOOK, smallHead, smallBody,
                      smallBottom);
}

bool writeBigRobot(const std::string& runFolder) {
    return writeRobot(runFolder, "Meshes/Robot/Big/", BIG_LOOK, bigHead, bigBody, bigBottom);
}
