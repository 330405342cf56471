#pragma once

#include "audio/SoundFile.h"

#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A piece of music played from its file through a few small buffers, which
// a worker thread decodes and queues again as the source plays them, so the
// whole piece is never in memory. A looping piece reads on from its start in
// the same buffer as its end: the loop has no seam.
class MusicStream {
public:
    // Streams through the given source, which the caller owns and must keep
    // until the stream is gone. A file that cannot be played is reported
    // once here and leaves the stream silent.
    MusicStream(std::uint32_t source, const std::string& path, bool looping);
    ~MusicStream();
    MusicStream(const MusicStream&) = delete;
    MusicStream& operator=(const MusicStream&) = delete;

    // From the start, whether it was playing or not.
    void play();
    void stop();

    static constexpr int BUFFER_COUNT = 4;
    static constexpr int BUFFER_FRAMES = 8192;

private:
    void run();
    // With the lock held: queues again what the source has played, and
    // starts it again after running dry.
    void refill();
    bool queueNext(std::uint32_t buffer);
    // Up to wanted frames, from the start again past the end when looping.
    std::int64_t readFrames(std::int64_t wanted);

    const std::uint32_t source_;
    const bool looping_;
    SoundFileHandle file_;
    SF_INFO info_{};
    int format_ = 0;
    std::array<std::uint32_t, BUFFER_COUNT> buffers_{};
    std::vector<std::int16_t> chunk_;
    std::int64_t position_ = 0;  // in frames, of the next one read
    bool ended_ = false;
    bool playing_ = false;
    bool quit_ = false;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::thread worker_;
};
