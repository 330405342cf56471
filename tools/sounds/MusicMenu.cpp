#include "Arranger.h"
#include "Music.h"
#include "Patches.h"
#include "Percussion.h"
#include "Sequencer.h"

// The menu theme: A minor at 100 beats a minute, 12 bars. Four bars of pad,
// mallet arpeggio and bass, then a soft melody over eight more; the last
// chord, E major, leads back to A minor.

namespace music {

namespace {

constexpr double TEMPO = 100.0;
constexpr int BARS = 12;
constexpr int MELODY_BAR = 4;

constexpr const char* MELODY =
    "E5 - - - A5 - - - C6 - - - B5 - A5 - | C6 - - - - - - - A5 - - - F5 - - - | "
    "G5 - - - E5 - - - G5 - - - C6 - - - | B5 - - - - - - - D6 - - - B5 - - - | "
    "A5 - - - F5 - - - D5 - - - F5 - A5 - | C6 - - - - - - - A5 - - - C6 - - - | "
    "D6 - - - B5 - - - G5 - - - B5 - - - | B5 - - - G#5 - - - E5 - - - - - - -";

}  // namespace

AudioBuffer menu() {
    using Kind = Percussion::Kind;
    Sequencer seq(TEMPO);
    seq.setReverb(0.84, 0.3, 0.4f);
    seq.setEcho(3.0, 0.35f, 0.3f);

    const int kick = seq.addTrack(std::make_unique<Percussion>(Kind::Kick, 201), {0.45f, 0.0f, 0.05f, 0.0f});
    const int snare = seq.addTrack(std::make_unique<Percussion>(Kind::Snare, 202), {0.22f, 0.1f, 0.4f, 0.0f});
    const int hat = seq.addTrack(std::make_unique<Percussion>(Kind::ClosedHat, 203), {0.18f, 0.3f, 0.1f, 0.0f});
    const int bass = seq.addTrack(patches::softBass(), {0.4f, 0.0f, 0.0f, 0.0f});
    const int pad = seq.addTrack(patches::pad(), {0.16f, 0.0f, 0.6f, 0.0f});
    const int mallet = seq.addTrack(patches::mallet(), {0.26f, -0.3f, 0.4f, 0.4f});
    const int melody = seq.addTrack(patches::softLead(), {0.34f, 0.15f, 0.45f, 0.35f});

    const auto chords = arranger::progression("Am F C G Am F C G Dm F G E", 0.0);
    seq.add(pad, arranger::padNotes(chords, 0.8f));
    seq.add(bass, arranger::bassNotes(chords, "R - - - - - - - R - - - F - - -", 0.9f));
    seq.add(mallet, arranger::arpeggio(chords, {0, 2, 3, 4, 5, 4, 3, 2}, 2.0, 3, 0.8f));
    seq.add(melody, arranger::melodyBars(MELODY, MELODY_BAR, 0.85f));

    for (int bar = 0; bar < BARS; ++bar) {
        seq.add(kick, arranger::drumBars("x.........x.....", bar, 0.8f));
        seq.add(hat, arranger::drumBars(bar < 2 * MELODY_BAR ? "..o...o...o...o." : "o.x.o.x.o.x.o.x.", bar, 1.0f));
        if (bar >= MELODY_BAR)
            seq.add(snare, arranger::drumBars("....o.......o...", bar, 1.0f));
    }

    AudioBuffer out = seq.renderLoop(BARS * arranger::STEPS_PER_BAR);
    out.normalize(MUSIC_PEAK);
    return out;
}

}  // namespace music
