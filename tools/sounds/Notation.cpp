#include "Notation.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace {

constexpr int SEMITONES[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
constexpr float SOFT_HIT = 0.55f;

// Reads "C", "F#", "Bb" from the front of `text`; returns the pitch class
// and removes it.
int takePitchClass(std::string_view& text) {
    if (text.empty() || text[0] < 'A' || text[0] > 'G')
        throw std::invalid_argument("not a note: " + std::string(text));
    int pitch = SEMITONES[text[0] - 'A'];
    text.remove_prefix(1);
    if (!text.empty() && (text[0] == '#' || text[0] == 'b')) {
        pitch += text[0] == '#' ? 1 : -1;
        text.remove_prefix(1);
    }
    return pitch;
}

template <typename Visit>
void forEachToken(std::string_view pattern, Visit visit) {
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const std::size_t start = pattern.find_first_not_of(' ', pos);
        if (start == std::string_view::npos)
            return;
        const std::size_t end = std::min(pattern.find(' ', start), pattern.size());
        visit(pattern.substr(start, end - start));
        pos = end;
    }
}

}  // namespace

int noteNumber(std::string_view name) {
    const std::string whole(name);
    const int pitch = takePitchClass(name);
    if (name.empty() || name.size() > 2)
        throw std::invalid_argument("not a note: " + whole);
    const int octave = std::stoi(std::string(name));
    return 12 * (octave + 1) + pitch;
}

double noteFrequency(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

std::vector<NoteEvent> melody(std::string_view pattern, double startStep, float velocity, int transpose) {
    std::vector<NoteEvent> notes;
    double step = startStep;
    bool holding = false;
    forEachToken(pattern, [&](std::string_view token) {
        if (token == "|")
            return;
        if (token == "-") {
            if (!holding)
                throw std::invalid_argument("a hold with no note before it");
            notes.back().length += 1.0;
        } else if (token == ".") {
            holding = false;
        } else {
            notes.push_back({step, 1.0, noteNumber(token) + transpose, velocity});
            holding = true;
        }
        step += 1.0;
    });
    return notes;
}

std::vector<NoteEvent> hits(std::string_view pattern, double startStep, float velocity, int note) {
    std::vector<NoteEvent> notes;
    double step = startStep;
    for (char c : pattern) {
        if (c == ' ' || c == '|')
            continue;
        if (c == 'x' || c == 'o')
            notes.push_back({step, 1.0, note, c == 'x' ? velocity : velocity * SOFT_HIT});
        else if (c != '.')
            throw std::invalid_argument(std::string("not a hit: ") + c);
        step += 1.0;
    }
    return notes;
}

std::vector<int> chordNotes(std::string_view symbol, int octave) {
    std::string_view quality = symbol;
    const int root = 12 * (octave + 1) + takePitchClass(quality);
    if (quality.empty())
        return {root, root + 4, root + 7};
    if (quality == "m")
        return {root, root + 3, root + 7};
    throw std::invalid_argument("not a chord: " + std::string(symbol));
}
