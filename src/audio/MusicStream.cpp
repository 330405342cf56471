#include "audio/MusicStream.h"

#include <al.h>

#include <algorithm>
#include <chrono>

namespace {

// The four buffers hold 0.74 s at 44.1 kHz and one of them 0.19 s: woken
// about twice a buffer, a worker half a second late still finds the source
// playing.
constexpr std::chrono::milliseconds REFILL_INTERVAL{100};
constexpr int MAX_CHANNELS = 2;
constexpr int BYTES_PER_SAMPLE = sizeof(std::int16_t);

}  // namespace

MusicStream::MusicStream(std::uint32_t source, const std::string& path, bool looping)
    : source_(source), looping_(looping) {
    file_.reset(sf_open(path.c_str(), SFM_READ, &info_));
    if (!file_) {
        reportSoundFailure(MESSAGE_CANNOT_OPEN);
        return;
    }
    if (info_.channels <= 0 || info_.frames < 0) {
        reportSoundFailure(MESSAGE_CANNOT_READ);
        file_.reset();
        return;
    }
    if (info_.channels > MAX_CHANNELS) {
        reportSoundFailure(MESSAGE_TOO_MANY_CHANNELS);
        file_.reset();
        return;
    }
    format_ = info_.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    chunk_.resize(static_cast<std::size_t>(BUFFER_FRAMES) * info_.channels);
    alGenBuffers(BUFFER_COUNT, buffers_.data());
    worker_ = std::thread([this] { run(); });
}

MusicStream::~MusicStream() {
    if (!file_) return;
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    worker_.join();
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    alDeleteBuffers(BUFFER_COUNT, buffers_.data());
}

void MusicStream::play() {
    if (!file_) return;
    const std::lock_guard lock(mutex_);
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    sf_seek(file_.get(), 0, SEEK_SET);
    position_ = 0;
    ended_ = false;
    for (const std::uint32_t buffer : buffers_)
        if (!queueNext(buffer)) break;
    alSourcePlay(source_);
    playing_ = true;
    wake_.notify_one();
}

void MusicStream::stop() {
    if (!file_) return;
    const std::lock_guard lock(mutex_);
    playing_ = false;
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
}

void MusicStream::run() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (playing_) {
            refill();
            wake_.wait_for(lock, REFILL_INTERVAL);
        } else {
            wake_.wait(lock);
        }
    }
}

void MusicStream::refill() {
    ALint played = 0;
    alGetSourcei(source_, AL_BUFFERS_PROCESSED, &played);
    for (; played > 0; --played) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(source_, 1, &buffer);
        queueNext(buffer);
    }
    ALint state = AL_STOPPED;
    ALint queued = 0;
    alGetSourcei(source_, AL_SOURCE_STATE, &state);
    alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
    if (state == AL_PLAYING) return;
    // Ran dry while the worker was late: it goes on; with nothing left the
    // piece has ended.
    if (queued > 0)
        alSourcePlay(source_);
    else
        playing_ = false;
}

bool MusicStream::queueNext(std::uint32_t buffer) {
    const std::int64_t frames = readFrames(BUFFER_FRAMES);
    if (frames == 0) return false;
    alBufferData(buffer, format_, chunk_.data(), static_cast<ALsizei>(frames * info_.channels * BYTES_PER_SAMPLE),
                 info_.samplerate);
    alSourceQueueBuffers(source_, 1, &buffer);
    return true;
}

std::int64_t MusicStream::readFrames(std::int64_t wanted) {
    std::int64_t done = 0;
    while (done < wanted && !ended_) {
        if (position_ == info_.frames) {
            if (!looping_ || info_.frames == 0) {
                ended_ = true;
                break;
            }
            sf_seek(file_.get(), 0, SEEK_SET);
            position_ = 0;
        }
        const std::int64_t asked = std::min(wanted - done, info_.frames - position_);
        const std::int64_t got =
            readSoundSamples(file_.get(), info_, chunk_.data() + done * info_.channels, asked * info_.channels) /
            info_.channels;
        position_ += got;
        done += got;
        // Damaged from here on: what was read plays, then silence.
        if (got < asked) {
            reportSoundFailure(MESSAGE_CANNOT_READ);
            ended_ = true;
        }
    }
    return done;
}
