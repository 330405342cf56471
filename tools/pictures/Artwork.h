#pragma once

#include "common/Canvas.h"
#include "common/Lettering.h"

#include <string>

// Pieces shared by the pictures: backdrop, logo, robots, disc, key caps.

// Player 1 orange on the left fading through violet to player 2 cyan on the right.
Paint sidesPaint(float alpha = 1.0f);

// Night sky, neon arena floor toward the bottom, player-coloured side rails,
// and chevrons pointing each player at the other's half when asked for.
void drawBackdrop(Canvas& canvas, float horizon, bool chevrons);
// A dark, quiet panel on which the game writes its own text.
void drawCalmPanel(Canvas& canvas, float x0, float y0, float x1, float y1);
// "KORVANDELTIX", centred on x with its baseline at y.
void drawLogo(Canvas& canvas, const Lettering& lettering, float x, float y, float size);

// Robots stand with their wheels on groundY; unit is a tenth of the small robot's height.
void drawSmallRobot(Canvas& canvas, float cx, float groundY, float unit);
void drawBigRobot(Canvas& canvas, float cx, float groundY, float unit);
// The disc seen at a slant, with a speed trail toward trailDx.
void drawDisc(Canvas& canvas, float cx, float cy, float radius, float trailDx);

// A key cap with its label, its rim lit in the player's colour.
void drawKey(Canvas& canvas, const Lettering& lettering, float x0, float y0, float x1, float y1,
             const std::string& label, const Rgba& rim, float textSize);

// Bold, outlined lettering used for headings and messages.
TextStyle headingStyle(float size, const Paint& fill, const Rgba& glow);
