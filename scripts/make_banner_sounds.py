#!/usr/bin/env python3
"""Synthesises the banner sounds (mono, 16-bit, 22050 Hz) into resources/sounds.

Run again after changing a tune: python3 scripts/make_banner_sounds.py
"""
import math
import os
import struct
import wave

RATE = 22050


def tone(freq, seconds, volume=0.5, attack=0.01, overtones=(1.0, 0.3, 0.1)):
    """A bell-like note: a few harmonics under a quick attack and an exponential decay."""
    count = int(RATE * seconds)
    out = []
    for i in range(count):
        t = i / RATE
        envelope = min(1.0, t / attack) * math.exp(-4.0 * t / seconds)
        value = sum(a * math.sin(2 * math.pi * freq * (k + 1) * t) for k, a in enumerate(overtones))
        out.append(volume * envelope * value / sum(overtones))
    return out


def buzz(freq, seconds, volume=0.35):
    """A soft square-ish hum that falls in pitch, for a result nobody cheers."""
    count = int(RATE * seconds)
    out = []
    phase = 0.0
    for i in range(count):
        t = i / RATE
        phase += 2 * math.pi * freq * (1.0 - 0.25 * t / seconds) / RATE
        envelope = min(1.0, t / 0.02) * (1.0 - t / seconds)
        out.append(volume * envelope * math.tanh(3 * math.sin(phase)) / math.tanh(3))
    return out


def sequence(notes, gap):
    """Notes started `gap` seconds apart, each ringing on under the next."""
    total = []
    for index, samples in enumerate(notes):
        start = int(index * gap * RATE)
        total.extend([0.0] * max(0, start + len(samples) - len(total)))
        for i, value in enumerate(samples):
            total[start + i] += value
    return total


def write(name, samples):
    peak = max(1e-9, max(abs(v) for v in samples))
    scale = min(1.0, 0.9 / peak)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "sounds", name)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(v * scale * 32767)) for v in samples))


if __name__ == "__main__":
    # Under par: a rising major arpeggio (C E G C).
    write("Cheer.wav", sequence([tone(f, 0.45) for f in (523.25, 659.25, 783.99, 1046.5)], 0.09))
    # Par: two calm notes, a fifth apart.
    write("Chime.wav", sequence([tone(f, 0.5, 0.45) for f in (587.33, 880.0)], 0.14))
    # Over par: a falling minor third.
    write("Bogey.wav", sequence([tone(f, 0.4, 0.45) for f in (392.0, 329.63)], 0.16))
    # The stroke limit: a low falling hum.
    write("Limit.wav", buzz(150.0, 0.55))
