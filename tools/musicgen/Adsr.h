#pragma once

// Attack, decay, sustain, release, as a pure function of the time since the
// note began: voices render each note in one pass and need no state for it.
class Adsr {
public:
    Adsr(double attack, double decay, double sustain, double release)
        : attack(attack), decay(decay), sustain(sustain), release(release) {}

    // Level at t seconds after note-on for a note held gateLength seconds.
    // The release starts from whatever level the note had reached, so a note
    // cut short in its attack fades from there instead of jumping.
    double Level(double t, double gateLength) const;

    // Seconds after note-on at which the level has reached zero.
    double End(double gateLength) const { return gateLength + release; }

private:
    double HeldLevel(double t) const;

    double attack;
    double decay;
    double sustain;
    double release;
};
