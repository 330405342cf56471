#include "platform/PictureFit.h"

#include <cstdint>

Rect fitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return {};
    // Compared as products, so that equal proportions give the whole area
    // exactly; the other side is rounded to the nearest pixel.
    const std::int64_t pw = pictureWidth;
    const std::int64_t ph = pictureHeight;
    int width = areaWidth;
    int height = areaHeight;
    if (areaWidth * ph < areaHeight * pw)
        height = static_cast<int>((areaWidth * ph * 2 + pw) / (pw * 2));
    else
        width = static_cast<int>((areaHeight * pw * 2 + ph) / (ph * 2));
    const int left = (areaWidth - width) / 2;
    const int top = (areaHeight - height) / 2;
    return {left, top, left + width, top + height};
}
