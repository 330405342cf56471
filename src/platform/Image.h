#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Leaves the texels of a growing buffer as they come, for the decoder to
// write every one: a picture is not cleared first only to be overwritten.
template <class T>
struct UnclearedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UnclearedAllocator<U>;
    };
    UnclearedAllocator() = default;
    template <class U>
    UnclearedAllocator(const UnclearedAllocator<U>&) noexcept {}
    template <class U>
    void construct(U* at) noexcept {
        ::new (static_cast<void*>(at)) U;
    }
    template <class U, class... Args>
    void construct(U* at, Args&&... args) {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
};

using Texels = std::vector<std::uint8_t, UnclearedAllocator<std::uint8_t>>;

// A decoded picture: 8-bit RGBA texels, rows from the top of the picture,
// and, once made, its chain of smaller levels for drawing it smaller. When
// its largest levels are left out, rgba holds the first level kept, and the
// picture is still drawn at its own size.
struct Image {
    int width = 0;
    int height = 0;
    Texels rgba;
    std::vector<Texels> smallerLevels{};
    int levelsLeftOut = 0;
    int pictureWidth = 0;
    int pictureHeight = 0;

    // The size the picture is drawn at, whichever levels it keeps.
    int drawnWidth() const { return levelsLeftOut > 0 ? pictureWidth : width; }
    int drawnHeight() const { return levelsLeftOut > 0 ? pictureHeight : height; }
};

// The largest a picture is ever drawn, in back-buffer pixels; none for a
// picture drawn at its own size or on a model.
struct DrawnSize {
    int width = 0;
    int height = 0;
};

// No picture side is ever larger, whatever the device could hold.
constexpr int MAX_PICTURE_SIDE = 8192;

// Decodes a PNG straight into its texels; nothing when the file is missing,
// not a PNG, damaged, or wider or taller than maxSide (refused from its
// header, before any decoding).
std::optional<Image> loadImage(const std::string& path, int maxSide = MAX_PICTURE_SIDE);

// Texels equal to colorKey (ARGB) become fully transparent black.
void applyColorKey(Image& image, std::uint32_t colorKey);

// The picture's smaller levels: each half the one before, each side rounded
// down and at least 1, down to 1 x 1, each texel the mean of the 2 x 2
// texels above it, halved across and then down, rounding each time as the
// OpenGL driver's own levels do. Made on the CPU, where a decoding thread
// can do it, rather than by the driver on the thread that draws.
std::vector<Texels> makeSmallerLevels(const Image& image);

// How many of a picture's largest levels are never sampled when it is drawn
// at most at this size with trilinear filtering: those above the smaller of
// the two levels blended at the largest size. Minification of the first
// level kept stays minification, so the same texels blend with the same
// weights. None for a size not given or not smaller.
int unseenLevels(int pictureWidth, int pictureHeight, DrawnSize drawn);

// Drops the picture's largest levels (count at most its smaller levels),
// the next one becoming its texels.
void leaveOutLevels(Image& image, int count);
