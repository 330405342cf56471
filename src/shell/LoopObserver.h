#pragma once

// Marks in the life of the main loop, for a build that measures the game
// (start-up time, allocations per frame); the game itself watches none.
class LoopObserver {
public:
    virtual ~LoopObserver() = default;
    // Every start-up picture, model, font and sound is loaded, behind the
    // intro's first frames.
    virtual void assetsLoaded() = 0;
    // One pass of the loop is over: a frame drawn and handed to the window
    // (presented), or a page left standing as it is.
    virtual void framePassed(bool presented) = 0;
};
