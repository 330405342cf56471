#include "Arranger.h"

#include <stdexcept>
#include <string>

namespace arranger {

namespace {

// Pad voicing: every chord note is moved into this octave window.
constexpr int PAD_LOWEST = 52;  // E3
// The bass root sits between B1 and A2.
constexpr int BASS_LOWEST = 35;
constexpr int BASS_ROOT_OCTAVE = 2;

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = text.find_first_not_of(' ', pos);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find(' ', start), text.size());
        result.push_back(text.substr(start, end - start));
        pos = end;
    }
    return result;
}

}  // namespace

std::vector<ChordSpan> progression(std::string_view symbols, double startStep, double stepsPerChord) {
    std::vector<ChordSpan> chords;
    double step = startStep;
    for (std::string_view symbol : words(symbols)) {
        chords.push_back({symbol, step, stepsPerChord});
        step += stepsPerChord;
    }
    return chords;
}

std::vector<NoteEvent> padNotes(const std::vector<ChordSpan>& chords, float velocity) {
    std::vector<NoteEvent> notes;
    for (const ChordSpan& chord : chords) {
        for (int note : chordNotes(chord.symbol, 3)) {
            while (note < PAD_LOWEST)
                note += 12;
            while (note >= PAD_LOWEST + 12)
                note -= 12;
            notes.push_back({chord.step, chord.length, note, velocity});
        }
    }
    return notes;
}

std::vector<NoteEvent> bassNotes(const std::vector<ChordSpan>& chords, std::string_view rhythm, float velocity) {
    std::vector<NoteEvent> notes;
    const std::vector<std::string_view> tokens = words(rhythm);
    for (const ChordSpan& chord : chords) {
        int root = chordNotes(chord.symbol, BASS_ROOT_OCTAVE).front();
        if (root >= BASS_LOWEST + 12)
            root -= 12;
        bool holding = false;
        for (std::size_t i = 0; i < tokens.size() && static_cast<double>(i) < chord.length; ++i) {
            const std::string_view token = tokens[i];
            const double step = chord.step + static_cast<double>(i);
            if (token == "-" && holding) {
                notes.back().length += 1.0;
            } else if (token == "R" || token == "F" || token == "O") {
                const int note = root + (token == "F" ? 7 : token == "O" ? 12 : 0);
                notes.push_back({step, 1.0, note, velocity});
                holding = true;
            } else if (token == ".") {
                holding = false;
            } else {
                throw std::invalid_argument("not a bass step: " + std::string(token));
            }
        }
    }
    return notes;
}

std::vector<NoteEvent> arpeggio(const std::vector<ChordSpan>& chords, const std::vector<int>& order,
                                double stepsPerNote, int octave, float velocity) {
    std::vector<NoteEvent> notes;
    for (const ChordSpan& chord : chords) {
        const std::vector<int> tones = chordNotes(chord.symbol, octave);
        const int size = static_cast<int>(tones.size());
        std::size_t index = 0;
        for (double step = 0.0; step < chord.length - 1e-9; step += stepsPerNote) {
            const int position = order[index++ % order.size()];
            const int note = tones[position % size] + 12 * (position / size);
            notes.push_back({chord.step + step, stepsPerNote, note, velocity});
        }
    }
    return notes;
}

std::vector<NoteEvent> melodyBars(std::string_view pattern, int bar, float velocity, int transpose) {
    int steps = 0;
    for (std::string_view token : words(pattern))
        steps += token == "|" ? 0 : 1;
    if (steps % STEPS_PER_BAR != 0)
        throw std::invalid_argument("a melody that does not fill its bars: " + std::string(pattern));
    return melody(pattern, static_cast<double>(bar * STEPS_PER_BAR), velocity, transpose);
}

std::vector<NoteEvent> drumBars(std::string_view pattern, int bar, float velocity, int note) {
    int steps = 0;
    for (char c : pattern)
        steps += (c == ' ' || c == '|') ? 0 : 1;
    if (steps % STEPS_PER_BAR != 0)
        throw std::invalid_argument("drums that do not fill their bars: " + std::string(pattern));
    return hits(pattern, static_cast<double>(bar * STEPS_PER_BAR), velocity, note);
}

}  // namespace arranger
