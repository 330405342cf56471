#include "platform/RecordedTexture.h"

RecordedTexture::RecordedTexture(std::string path, bool keyed, Image image)
    : path(std::move(path)), keyed(keyed), image(std::move(image)) {
    ++alive;
}

RecordedTexture::~RecordedTexture() {
    --alive;
    ++destroyed;
}
