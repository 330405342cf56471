#pragma once

#include "AudioBuffer.h"
#include "Instrument.h"
#include "Notation.h"

#include <memory>
#include <vector>

// How a track sits in the mix.
struct TrackMix {
    float gain = 1.0f;
    float pan = 0.0f;
    float reverb = 0.0f;
    float echo = 0.0f;
};

// Tracks of notes in sixteenth-note steps at a fixed tempo, each played by
// its own instrument, mixed in stereo with a shared reverb and echo.
class Sequencer {
public:
    explicit Sequencer(double beatsPerMinute);

    int addTrack(std::unique_ptr<Instrument> instrument, const TrackMix& mix);
    void add(int track, const std::vector<NoteEvent>& notes);
    void setReverb(double feedback, double damping, float wet);
    void setEcho(double steps, float feedback, float wet);

    std::size_t frameOf(double step) const;

    // The first `steps` steps as a loop: whatever rings past the end
    // (notes, echoes, reverb) is laid back over the start.
    AudioBuffer renderLoop(int steps);
    // Everything that starts before `seconds`, cut at `seconds`.
    AudioBuffer renderOnce(double seconds);

private:
    struct Track {
        std::unique_ptr<Instrument> instrument;
        TrackMix mix;
        std::vector<NoteEvent> notes;
    };

    AudioBuffer render(std::size_t frames);

    double secondsPerStep;
    std::vector<Track> tracks;
    double reverbFeedback = 0.8;
    double reverbDamping = 0.3;
    float reverbWet = 0.0f;
    double echoSteps = 3.0;
    float echoFeedback = 0.3f;
    float echoWet = 0.0f;
};
