#pragma once

// The contents of one frame: the open page alone, or the arena, the robots,
// the disc, the picture message and the score and clock on top.
void drawScene();
