#include "Arranger.h"
#include "Music.h"
#include "Patches.h"
#include "Percussion.h"
#include "Sequencer.h"

// The match theme: E minor at 150 beats a minute, 24 bars. A states the
// hook, B answers with long notes over a busier arpeggio, C brings the hook
// back doubled an octave down and ends on B major, which leads into A again.

namespace music {

namespace {

constexpr double TEMPO = 150.0;
constexpr int BARS = 24;
constexpr int SECTION_BARS = 8;

constexpr const char* HOOK =
    "E5 - - G5 - - B5 - A5 - G5 - E5 - - - | C5 - - E5 - - G5 - E5 - D5 - C5 - D5 - | "
    "D5 - - G5 - - B5 - D6 - B5 - G5 - - - | F#5 - - A5 - - D6 - C6 - B5 - A5 - F#5 - | "
    "E5 - - G5 - - B5 - A5 - G5 - E5 - - - | C5 - - E5 - - G5 - C6 - B5 - G5 - - - | "
    "A5 - - F#5 - - D5 - F#5 - A5 - C6 - - - | B5 - - - D#6 - - - F#6 - - - D#6 - B5 -";

constexpr const char* ANSWER =
    "G5 - - - - - - - E5 - - - G5 - - - | F#5 - - - - - - - A5 - - - F#5 - D5 - | "
    "E5 - - - - - - - - - - - . . . . | . . . . B4 - D5 - E5 - G5 - B5 - - - | "
    "C6 - - - - - - - B5 - - - G5 - - - | A5 - - - - - - - F#5 - - - D5 - - - | "
    "D#5 - - - F#5 - - - B5 - - - A5 - - - | F#5 - - - - - - - . . . . . . . .";

// Toms of the fill at the end of section B, high to low.
constexpr int FILL_TOMS[4] = {50, 47, 43, 40};

}  // namespace

AudioBuffer game() {
    using Kind = Percussion::Kind;
    Sequencer seq(TEMPO);
    seq.setReverb(0.78, 0.35, 0.3f);
    seq.setEcho(3.0, 0.3f, 0.35f);

    const int kick = seq.addTrack(std::make_unique<Percussion>(Kind::Kick, 101), {0.75f, 0.0f, 0.0f, 0.0f});
    const int snare = seq.addTrack(std::make_unique<Percussion>(Kind::Snare, 102), {0.5f, 0.05f, 0.2f, 0.0f});
    const int hat = seq.addTrack(std::make_unique<Percussion>(Kind::ClosedHat, 103), {0.2f, 0.3f, 0.0f, 0.0f});
    const int openHat = seq.addTrack(std::make_unique<Percussion>(Kind::OpenHat, 104), {0.13f, -0.3f, 0.05f, 0.0f});
    const int crash = seq.addTrack(std::make_unique<Percussion>(Kind::Crash, 105), {0.28f, -0.2f, 0.2f, 0.0f});
    const int tom = seq.addTrack(std::make_unique<Percussion>(Kind::Tom, 106), {0.45f, 0.1f, 0.15f, 0.0f});
    const int bass = seq.addTrack(patches::bass(), {0.42f, 0.0f, 0.0f, 0.0f});
    const int lead = seq.addTrack(patches::lead(), {0.26f, 0.05f, 0.25f, 0.3f});
    const int leadLow = seq.addTrack(patches::pluck(), {0.18f, -0.25f, 0.2f, 0.2f});
    const int arp = seq.addTrack(patches::pluck(), {0.13f, 0.35f, 0.15f, 0.35f});
    const int pad = seq.addTrack(patches::pad(), {0.1f, -0.1f, 0.5f, 0.0f});

    const auto sectionA = arranger::progression("Em C G D Em C D B", 0.0);
    const auto sectionB = arranger::progression("C D Em Em C D B B", SECTION_BARS * 16.0);
    const auto sectionC = arranger::progression("Em C G D Em C D B", 2 * SECTION_BARS * 16.0);

    seq.add(lead, arranger::melodyBars(HOOK, 0, 0.9f));
    seq.add(lead, arranger::melodyBars(ANSWER, SECTION_BARS, 0.85f));
    seq.add(lead, arranger::melodyBars(HOOK, 2 * SECTION_BARS, 0.95f));
    seq.add(leadLow, arranger::melodyBars(HOOK, 2 * SECTION_BARS, 0.8f, -12));

    constexpr const char* DRIVING = "R - R - O - R - R - O - R - O -";
    constexpr const char* SYNCOPATED = "R - - R - - R - R - - R - - O -";
    seq.add(bass, arranger::bassNotes(sectionA, DRIVING, 0.9f));
    seq.add(bass, arranger::bassNotes(sectionB, SYNCOPATED, 0.9f));
    seq.add(bass, arranger::bassNotes(sectionC, DRIVING, 0.95f));

    seq.add(arp, arranger::arpeggio(sectionA, {0, 2, 1, 3}, 2.0, 4, 0.7f));
    seq.add(arp, arranger::arpeggio(sectionB, {0, 1, 2, 3, 4, 3, 2, 1}, 1.0, 4, 0.8f));
    seq.add(arp, arranger::arpeggio(sectionC, {0, 1, 2, 3, 4, 3, 2, 1}, 1.0, 4, 0.7f));
    for (const auto& section : {sectionA, sectionB, sectionC})
        seq.add(pad, arranger::padNotes(section, 0.8f));

    for (int bar = 0; bar < BARS; ++bar) {
        const bool answer = bar >= SECTION_BARS && bar < 2 * SECTION_BARS;
        const bool lastOfSection = bar % SECTION_BARS == SECTION_BARS - 1;
        if (bar % SECTION_BARS == 0)
            seq.add(crash, arranger::drumBars("x...............", bar, 1.0f));
        seq.add(kick, arranger::drumBars(answer ? "x.....x.x.....x." : "x...x...x...x...", bar, 1.0f));
        if (!lastOfSection)
            seq.add(snare, arranger::drumBars("....x.......x...", bar, 1.0f));
        else if (bar == BARS - 1)
            seq.add(snare, arranger::drumBars("....x...xoxoxxxx", bar, 1.0f));
        else if (answer)
            seq.add(snare, arranger::drumBars("....x.......x...", bar, 1.0f));
        else
            seq.add(snare, arranger::drumBars("....x.......xoxx", bar, 1.0f));
        if (bar < SECTION_BARS) {
            seq.add(hat, arranger::drumBars("o.x.o.x.o.x.o.x.", bar, 1.0f));
        } else if (answer) {
            seq.add(hat, arranger::drumBars("xoxoxoxoxoxoxoxo", bar, 1.0f));
            seq.add(openHat, arranger::drumBars("..............x.", bar, 1.0f));
        } else {
            seq.add(hat, arranger::drumBars("o.o.o.o.o.o.o.o.", bar, 1.0f));
            seq.add(openHat, arranger::drumBars("..x...x...x...x.", bar, 1.0f));
        }
    }
    const double fillStep = (2 * SECTION_BARS - 1) * 16.0 + 12.0;
    for (int i = 0; i < 4; ++i)
        seq.add(tom, {{fillStep + i, 1.0, FILL_TOMS[i], 1.0f}});

    AudioBuffer out = seq.renderLoop(BARS * arranger::STEPS_PER_BAR);
    out.normalize(MUSIC_PEAK);
    return out;
}

}  // namespace music
