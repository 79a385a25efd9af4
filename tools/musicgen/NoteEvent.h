#pragma once

enum class InstrumentKind { Pad, Pluck, Bell, Bass, Kick, Snare, Hat, Crash, Riser, Impact };

// One note of the score. Drums and effects read pitch and brightness in their
// own way (a hat's length is its decay, a riser's brightness its top).
struct NoteEvent {
    InstrumentKind instrument = InstrumentKind::Pad;
    double start = 0.0;  // seconds from the start of the track
    double length = 0.0; // seconds the note is held
    int pitch = 69;      // MIDI note number, 69 = A4 = 440 Hz
    float velocity = 1.0f;
    float pan = 0.0f;        // -1 left to 1 right
    float brightness = 0.5f; // 0 dark to 1 bright
};
