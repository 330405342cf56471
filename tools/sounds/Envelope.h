#pragma once

// Attack, decay to a sustain level while the note is held, then a release
// that ends exactly at zero, so no note stops with a click.
struct Envelope {
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 1.0;
    double release = 0.05;

    // Level at time t (seconds) of a note held for `gate` seconds.
    float level(double t, double gate) const;
    double length(double gate) const { return gate + release; }

private:
    double held(double t) const;
};
