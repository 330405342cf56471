#include "Percussion.h"

#include "AudioBuffer.h"
#include "Filter.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double TWO_PI = 2.0 * std::numbers::pi;
// Every drum ends with a short ramp to silence.
constexpr double END_RAMP_SECONDS = 0.01;

std::vector<float> silence(double seconds) {
    return std::vector<float>(static_cast<std::size_t>(seconds * SAMPLE_RATE), 0.0f);
}

double timeOf(std::size_t i) { return static_cast<double>(i) / SAMPLE_RATE; }

void rampEnd(std::vector<float>& out) {
    const auto ramp = std::min(out.size(), static_cast<std::size_t>(END_RAMP_SECONDS * SAMPLE_RATE));
    for (std::size_t i = 0; i < ramp; ++i)
        out[out.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(ramp);
}

}  // namespace

Percussion::Percussion(Kind kind, std::uint64_t seed) : kind(kind), random(seed) {}

std::vector<float> Percussion::render(double frequency, double, float velocity) {
    std::vector<float> out;
    switch (kind) {
    case Kind::Kick:
        out = kick();
        break;
    case Kind::Snare:
        out = snare();
        break;
    case Kind::ClosedHat:
        out = hat(0.09, 0.022);
        break;
    case Kind::OpenHat:
        out = hat(0.35, 0.11);
        break;
    case Kind::Crash:
        out = crash();
        break;
    case Kind::Tom:
        out = tom(frequency);
        break;
    }
    rampEnd(out);
    for (float& s : out)
        s *= velocity;
    return out;
}

std::vector<float> Percussion::kick() {
    auto out = silence(0.45);
    Filter click(Filter::Mode::LowPass, 2500.0);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = timeOf(i);
        // A fast downward sweep gives the punch, the low tail the weight.
        phase += TWO_PI * (48.0 + 130.0 * std::exp(-t / 0.032)) / SAMPLE_RATE;
        const double body = std::sin(phase) * std::exp(-t / 0.26);
        const double tick = click.process(random.noise()) * std::exp(-t / 0.004) * 0.5;
        out[i] = static_cast<float>(std::tanh(1.5 * (body + tick)) / std::tanh(1.5));
    }
    return out;
}

std::vector<float> Percussion::snare() {
    auto out = silence(0.3);
    Filter rattle(Filter::Mode::HighPass, 1400.0);
    Filter body(Filter::Mode::BandPass, 3200.0, 0.6);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = timeOf(i);
        phase += TWO_PI * (180.0 + 50.0 * std::exp(-t / 0.015)) / SAMPLE_RATE;
        const double tone = std::sin(phase) * std::exp(-t / 0.05) * 0.55;
        const float noise = random.noise();
        const double wires = (rattle.process(noise) * 0.7 + body.process(noise) * 0.6) * std::exp(-t / 0.09);
        out[i] = static_cast<float>(tone + wires);
    }
    return out;
}

std::vector<float> Percussion::hat(double length, double decay) {
    auto out = silence(length);
    Filter air(Filter::Mode::HighPass, 7000.0);
    Filter shimmer(Filter::Mode::BandPass, 10500.0, 1.5);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float noise = random.noise();
        const double level = std::exp(-timeOf(i) / decay);
        out[i] = static_cast<float>((air.process(noise) * 0.6 + shimmer.process(noise) * 0.5) * level);
    }
    return out;
}

std::vector<float> Percussion::crash() {
    auto out = silence(2.4);
    Filter air(Filter::Mode::HighPass, 3500.0);
    Filter shimmer(Filter::Mode::BandPass, 6500.0, 0.8);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = timeOf(i);
        const float noise = random.noise();
        const double level = std::min(1.0, t / 0.002) * std::exp(-t / 0.65);
        out[i] = static_cast<float>((air.process(noise) * 0.5 + shimmer.process(noise) * 0.6) * level);
    }
    return out;
}

std::vector<float> Percussion::tom(double frequency) {
    auto out = silence(0.6);
    Filter skin(Filter::Mode::LowPass, 1200.0);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = timeOf(i);
        phase += TWO_PI * frequency * (1.0 + 0.45 * std::exp(-t / 0.04)) / SAMPLE_RATE;
        const double body = std::sin(phase) * std::exp(-t / 0.22);
        const double hit = skin.process(random.noise()) * std::exp(-t / 0.02) * 0.4;
        out[i] = static_cast<float>(body + hit);
    }
    return out;
}
