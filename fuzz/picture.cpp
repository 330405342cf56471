// Pictures: any bytes load as a PNG no larger than the largest allowed,
// holding exactly its texels, or are refused.
#include "FuzzInput.h"
#include "platform/Image.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char PNG_SIGNATURE[] = "\x89PNG\r\n\x1a\n";
    const std::optional<Image> image = loadImage(writeInput(data, size));
    if (image && (size < 8 || std::memcmp(data, PNG_SIGNATURE, 8) != 0 || image->width <= 0 ||
                  image->height <= 0 || image->width > MAX_PICTURE_SIDE || image->height > MAX_PICTURE_SIDE ||
                  image->rgba.size() != static_cast<std::size_t>(image->width) * image->height * 4))
        std::abort();
    return 0;
}
