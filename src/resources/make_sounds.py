#!/usr/bin/env python3
"""Writes the program's three short sounds as 16-bit mono PCM wave files in sounds/.

149: customer added (also the customer form's alert): two soft rising notes.
150: line removed or basket emptied: a short falling blip.
151: totals refreshed or sale done: one light, bright tick.

The results are committed; run this (generate.sh does) only after changing it.
"""
import math
import os
import struct
import wave

RATE = 22050


def tone(freq, length, volume=0.5, attack=0.004, decay=10.0, sweep_to=None, harmonics=(1.0, 0.25, 0.08)):
    """One note: a few harmonics, a short linear attack, an exponential decay,
    optionally sliding in pitch, with a gentle fade over its last 10 ms."""
    count = int(RATE * length)
    samples = []
    phase = 0.0
    for i in range(count):
        t = i / RATE
        f = freq if sweep_to is None else freq + (sweep_to - freq) * (i / count)
        phase += 2 * math.pi * f / RATE
        value = sum(a * math.sin((k + 1) * phase) for k, a in enumerate(harmonics)) / sum(harmonics)
        envelope = min(1.0, t / attack) * math.exp(-decay * t)
        tail = min(1.0, (count - i) / (0.010 * RATE))
        samples.append(volume * value * envelope * tail)
    return samples


def silence(length):
    return [0.0] * int(RATE * length)


def mix(*parts):
    """Lays (offset in seconds, samples) parts over each other."""
    end = max(int(offset * RATE) + len(s) for offset, s in parts)
    out = [0.0] * end
    for offset, s in parts:
        start = int(offset * RATE)
        for i, v in enumerate(s):
            out[start + i] += v
    return out


def write(path, samples):
    peak = max(1e-9, max(abs(v) for v in samples))
    scale = 0.6 / peak  # every sound peaks at 60 % of full scale
    frames = b"".join(struct.pack("<h", int(round(v * scale * 32767))) for v in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def main():
    os.chdir(os.path.dirname(os.path.abspath(__file__)))
    os.makedirs("sounds", exist_ok=True)
    # 149: E5 then A5, a friendly "ding-ding", 0.32 s.
    write("sounds/customer149.wav", mix(
        (0.00, tone(659.26, 0.16, 0.45, decay=12.0)),
        (0.11, tone(880.00, 0.21, 0.45, decay=11.0)),
    ))
    # 150: a falling blip from 700 Hz to 350 Hz, 0.17 s, rounder (fewer harmonics).
    write("sounds/removed150.wav", tone(700.0, 0.17, 0.5, decay=14.0, sweep_to=350.0, harmonics=(1.0, 0.12)))
    # 151: a short bright tick at 1568 Hz (G6) with a soft octave below, 0.11 s.
    write("sounds/totals151.wav", mix(
        (0.0, tone(1567.98, 0.11, 0.40, attack=0.002, decay=30.0, harmonics=(1.0, 0.1))),
        (0.0, tone(783.99, 0.11, 0.20, attack=0.002, decay=30.0, harmonics=(1.0,))),
    ))


if __name__ == "__main__":
    main()
