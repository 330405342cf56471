#pragma once

#include <string_view>
#include <vector>

// One note of a pattern, placed in sixteenth-note steps.
struct NoteEvent {
    double step = 0.0;
    double length = 1.0;
    int note = 60;  // MIDI note number: 60 is middle C, 69 the A at 440 Hz
    float velocity = 1.0f;
};

// Note names such as "C4", "F#5" or "Bb2"; throws std::invalid_argument on
// anything else.
int noteNumber(std::string_view name);
double noteFrequency(double note);

// A melody written one token per step: a note name starts a note, "-" holds
// the previous one a step longer, "." rests; "|" marks bars for the reader
// and takes no step.
std::vector<NoteEvent> melody(std::string_view pattern, double startStep, float velocity, int transpose = 0);

// Drum hits, one character per step: "x" a full hit, "o" a soft one, "."
// nothing; spaces and "|" take no step.
std::vector<NoteEvent> hits(std::string_view pattern, double startStep, float velocity, int note = 60);

// The notes of a major or minor triad ("C", "Em", "Bb"), the root in the
// given octave, from the root upward.
std::vector<int> chordNotes(std::string_view symbol, int octave);
