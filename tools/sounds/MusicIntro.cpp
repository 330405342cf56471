#include "Arranger.h"
#include "Music.h"
#include "Patches.h"
#include "Percussion.h"
#include "Sequencer.h"

// The intro fanfare: D major at 140 beats a minute. A rising arpeggio on D,
// then B flat to C twice, the second time twice as fast, and a held D major
// chord with a crash at 4.3 s, so that the ending is heard well before the
// slideshow hands over to the menu at 6 s.

namespace music {

namespace {

constexpr double TEMPO = 140.0;
constexpr double LENGTH_SECONDS = 7.0;
constexpr double FADE_IN_SECONDS = 0.005;
constexpr double FADE_OUT_SECONDS = 0.5;
constexpr double FINAL_STEP = 40.0;
constexpr double FINAL_LENGTH = 14.0;

constexpr const char* RISE = "D4 F#4 A4 D5 F#4 A4 D5 F#5 A4 D5 F#5 A5 D5 F#5 A5 D6";
constexpr const char* FANFARE = "D5 - - F5 - - Bb5 - E5 - - G5 - - C6 -";
constexpr const char* FANFARE_FASTER = "F5 - Bb5 - G5 - C6 -";
constexpr double SPARKLE_SPACING = 0.5;
constexpr double SPARKLE_LENGTH = 4.0;

}  // namespace

AudioBuffer intro() {
    using Kind = Percussion::Kind;
    Sequencer seq(TEMPO);
    seq.setReverb(0.82, 0.3, 0.35f);
    seq.setEcho(3.0, 0.25f, 0.25f);

    const int kick = seq.addTrack(std::make_unique<Percussion>(Kind::Kick, 301), {0.8f, 0.0f, 0.05f, 0.0f});
    const int snare = seq.addTrack(std::make_unique<Percussion>(Kind::Snare, 302), {0.45f, 0.05f, 0.25f, 0.0f});
    const int hat = seq.addTrack(std::make_unique<Percussion>(Kind::ClosedHat, 303), {0.18f, 0.3f, 0.0f, 0.0f});
    const int crash = seq.addTrack(std::make_unique<Percussion>(Kind::Crash, 304), {0.35f, -0.2f, 0.3f, 0.0f});
    const int tom = seq.addTrack(std::make_unique<Percussion>(Kind::Tom, 305), {0.6f, 0.0f, 0.2f, 0.0f});
    const int bass = seq.addTrack(patches::bass(), {0.45f, 0.0f, 0.0f, 0.0f});
    const int lead = seq.addTrack(patches::lead(), {0.26f, 0.05f, 0.3f, 0.3f});
    const int arp = seq.addTrack(patches::pluck(), {0.2f, -0.3f, 0.2f, 0.3f});
    const int pad = seq.addTrack(patches::pad(), {0.14f, 0.0f, 0.5f, 0.0f});
    const int chime = seq.addTrack(patches::chime(), {0.12f, 0.35f, 0.4f, 0.3f});

    const auto opening = arranger::progression("D", 0.0);
    const auto climb = arranger::progression("Bb C", 16.0, 8.0);
    const auto faster = arranger::progression("Bb C", 32.0, 4.0);
    const auto ending = arranger::progression("D", FINAL_STEP, FINAL_LENGTH);

    seq.add(arp, arranger::melodyBars(RISE, 0, 0.8f));
    seq.add(arp, arranger::arpeggio(climb, {0, 1, 2, 3, 4, 3, 2, 1}, 1.0, 4, 0.7f));
    seq.add(arp, arranger::arpeggio(faster, {0, 1, 2, 3}, 1.0, 4, 0.75f));
    seq.add(lead, arranger::melodyBars(FANFARE, 1, 0.85f));
    seq.add(lead, melody(FANFARE_FASTER, 32.0, 0.9f));
    seq.add(lead, {{FINAL_STEP, FINAL_LENGTH, noteNumber("D6"), 1.0f}, {FINAL_STEP, FINAL_LENGTH, noteNumber("A5"), 0.8f}});
    constexpr const char* SPARKLE[] = {"D6", "F#6", "A6", "D7"};
    for (int i = 0; i < 4; ++i)
        seq.add(chime, {{FINAL_STEP + SPARKLE_SPACING * i, SPARKLE_LENGTH, noteNumber(SPARKLE[i]), 0.9f}});

    for (const auto& chords : {opening, climb, faster, ending})
        seq.add(pad, arranger::padNotes(chords, 0.8f));
    seq.add(bass, arranger::bassNotes(opening, "R - - - - - - - R - - - O - R -", 0.85f));
    seq.add(bass, arranger::bassNotes(climb, "R - R - O - R -", 0.9f));
    seq.add(bass, arranger::bassNotes(faster, "R - O -", 0.95f));
    seq.add(bass, arranger::bassNotes(ending, "R - - - - - - - - - - - - -", 1.0f));

    seq.add(kick, hits("x...x...x...x... x...x...x...x... x...x...", 0.0, 1.0f));
    seq.add(kick, {{FINAL_STEP, 1.0, 60, 1.0f}});
    seq.add(tom, {{FINAL_STEP, 1.0, noteNumber("D2"), 1.0f}});
    seq.add(hat, hits("o.o.o.o.o.o.oooo o.x.o.x.o.x.o.x.", 0.0, 1.0f));
    seq.add(snare, hits("....x.......x... ooooxxxx", 16.0, 1.0f));
    seq.add(crash, {{FINAL_STEP, 1.0, 60, 1.0f}});

    AudioBuffer out = seq.renderOnce(LENGTH_SECONDS);
    out.fadeIn(FADE_IN_SECONDS);
    out.fadeOut(FADE_OUT_SECONDS);
    out.normalize(MUSIC_PEAK);
    return out;
}

}  // namespace music
