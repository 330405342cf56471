#pragma once

#include "platform/Image.h"

#include <future>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Decodes the start-up pictures on a worker thread, in the order given,
// while the window and the drawing device come up on the main thread; the
// texture registry takes each picture when it loads it and only the main
// thread uploads.
class PictureDecoder {
public:
    PictureDecoder() = default;
    ~PictureDecoder();
    PictureDecoder(const PictureDecoder&) = delete;
    PictureDecoder& operator=(const PictureDecoder&) = delete;

    // Called once, before any of these pictures is loaded.
    void start(const std::vector<std::string>& paths);
    // False for a path never given to start or already taken; otherwise
    // waits for its decoding and gives it (nothing when the file is missing
    // or not a picture).
    bool take(const std::string& path, std::optional<Image>& image);

private:
    std::map<std::string, std::future<std::optional<Image>>> pending_;
    std::thread worker_;
};
