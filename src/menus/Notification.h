#pragma once

#include "scene/Object2D.h"

// A picture message over the match view: fades in over the first quarter of
// its life, stays for the middle half, fades out over the last quarter.
// While one is shown the match stands still.
class Notification : public Object2D {
public:
    static constexpr int DEFAULT_DURATION_MS = 1000;

    Notification(int x, int y, int width, int height);

    void draw() override;
    void update(int elapsedMs) override;

    // The picture's alpha at the current remaining time, 0 to 255.
    int alpha() const;

    int durationMs = DEFAULT_DURATION_MS;
    int remainingMs = DEFAULT_DURATION_MS;
};
