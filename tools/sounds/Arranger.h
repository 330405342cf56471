#pragma once

#include "Notation.h"

#include <string_view>
#include <vector>

// Builds the accompaniment parts from a chord progression.
namespace arranger {

struct ChordSpan {
    std::string_view symbol;
    double step = 0.0;
    double length = 16.0;
};

// "Em C G D" from `startStep` on, each chord `stepsPerChord` long.
std::vector<ChordSpan> progression(std::string_view symbols, double startStep, double stepsPerChord = 16.0);

// Each chord held for its whole span, voiced close around middle C.
std::vector<NoteEvent> padNotes(const std::vector<ChordSpan>& chords, float velocity);

// A bass line repeating `rhythm` over each chord: one token per step, "R"
// the root, "F" the fifth, "O" the root an octave up, "-" holds, "." rests.
std::vector<NoteEvent> bassNotes(const std::vector<ChordSpan>& chords, std::string_view rhythm, float velocity);

// Broken chords: the chord's notes and their octaves, in the given order of
// indices (0 is the root in `octave`), one every `stepsPerNote`.
std::vector<NoteEvent> arpeggio(const std::vector<ChordSpan>& chords, const std::vector<int>& order,
                                double stepsPerNote, int octave, float velocity);

constexpr int STEPS_PER_BAR = 16;

// melody() and hits() placed from the start of bar `bar`; they throw
// std::invalid_argument unless the pattern fills whole bars, which catches
// a miscounted part.
std::vector<NoteEvent> melodyBars(std::string_view pattern, int bar, float velocity, int transpose = 0);
std::vector<NoteEvent> drumBars(std::string_view pattern, int bar, float velocity, int note = 60);

}  // namespace arranger
