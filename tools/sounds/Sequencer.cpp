#include "Sequencer.h"

#include "Echo.h"
#include "Reverb.h"

#include <cmath>

namespace {

constexpr double STEPS_PER_BEAT = 4.0;
// Long enough for every release, echo and reverb tail to die away.
constexpr double TAIL_SECONDS = 6.0;

}  // namespace

Sequencer::Sequencer(double beatsPerMinute) : secondsPerStep(60.0 / beatsPerMinute / STEPS_PER_BEAT) {}

int Sequencer::addTrack(std::unique_ptr<Instrument> instrument, const TrackMix& mix) {
    tracks.push_back({std::move(instrument), mix, {}});
    return static_cast<int>(tracks.size()) - 1;
}

void Sequencer::add(int track, const std::vector<NoteEvent>& notes) {
    auto& target = tracks[track].notes;
    target.insert(target.end(), notes.begin(), notes.end());
}

void Sequencer::setReverb(double feedback, double damping, float wet) {
    reverbFeedback = feedback;
    reverbDamping = damping;
    reverbWet = wet;
}

void Sequencer::setEcho(double steps, float feedback, float wet) {
    echoSteps = steps;
    echoFeedback = feedback;
    echoWet = wet;
}

std::size_t Sequencer::frameOf(double step) const {
    return static_cast<std::size_t>(std::llround(step * secondsPerStep * SAMPLE_RATE));
}

AudioBuffer Sequencer::render(std::size_t frames) {
    AudioBuffer out(2, frames);
    std::vector<float> reverbSend(frames, 0.0f);
    std::vector<float> echoSend(frames, 0.0f);
    for (Track& track : tracks) {
        for (const NoteEvent& note : track.notes) {
            const std::size_t start = frameOf(note.step);
            if (start >= frames)
                continue;
            const std::vector<float> sound = track.instrument->render(
                noteFrequency(note.note), note.length * secondsPerStep, note.velocity);
            out.mix(sound, start, track.mix.gain, track.mix.pan);
            const std::size_t count = std::min(sound.size(), frames - start);
            for (std::size_t i = 0; i < count; ++i) {
                reverbSend[start + i] += sound[i] * track.mix.gain * track.mix.reverb;
                echoSend[start + i] += sound[i] * track.mix.gain * track.mix.echo;
            }
        }
    }
    if (echoWet > 0.0f) {
        Echo(frameOf(echoSteps), echoFeedback).process(echoSend, out, echoWet);
    }
    if (reverbWet > 0.0f)
        Reverb(reverbFeedback, reverbDamping).process(reverbSend, out, reverbWet);
    return out;
}

AudioBuffer Sequencer::renderLoop(int steps) {
    const std::size_t loopFrames = frameOf(steps);
    AudioBuffer out = render(loopFrames + static_cast<std::size_t>(TAIL_SECONDS * SAMPLE_RATE));
    out.foldLoop(loopFrames);
    return out;
}

AudioBuffer Sequencer::renderOnce(double seconds) {
    return render(static_cast<std::size_t>(seconds * SAMPLE_RATE));
}
