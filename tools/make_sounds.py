#!/usr/bin/env python3
"""Synthesises the game's two sound effects into assets/folder/.

    python3 tools/make_sounds.py

mur.wav     a vial set down on stone: a soft thud and a glassy clink with a
            small second clink as it settles (0.35 s)
defaut.wav  a stomp on a frog: a short squish, then a springy "boing" that
            rises as the hero bounces off (0.45 s)

Both are 16-bit PCM mono at 22050 Hz, faded in and out so they start and end
on silence. Standard library only; the noise is seeded, so the output is the
same at every run.
"""
import math
import os
import random
import struct
import wave

RATE = 22050  # samples per second
PEAK = 0.7  # loudest sample, as a fraction of full scale (about -3 dBFS)
FADE_IN = 0.002  # seconds
FADE_OUT = 0.03  # seconds


def seconds(n):
    return [i / RATE for i in range(int(n * RATE))]


def lowpass(samples, cutoff):
    """One-pole low-pass filter; cutoff in Hz."""
    a = 1 - math.exp(-2 * math.pi * cutoff / RATE)
    out, y = [], 0.0
    for x in samples:
        y += a * (x - y)
        out.append(y)
    return out


def finish(samples):
    """Normalises to PEAK and fades both ends to silence."""
    top = max(abs(s) for s in samples) or 1.0
    n = len(samples)
    fin, fout = int(FADE_IN * RATE), int(FADE_OUT * RATE)
    out = []
    for i, s in enumerate(samples):
        gain = PEAK / top
        if i < fin:
            gain *= i / fin
        if i >= n - fout:
            gain *= (n - 1 - i) / fout
        out.append(s * gain)
    return out


def write(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", round(s * 32767)) for s in samples))


def clink(t, start, loudness):
    """Glass: a few inharmonic partials that ring and die away."""
    if t < start:
        return 0.0
    u = t - start
    strike = min(1.0, u / 0.001)  # a millisecond's rise keeps the onset from clicking
    partials = ((2350, 1.0, 0.09), (3710, 0.6, 0.06), (5260, 0.35, 0.04), (6980, 0.2, 0.025))
    return strike * loudness * sum(a * math.exp(-u / d) * math.sin(2 * math.pi * f * u) for f, a, d in partials)


def vial_on_stone(rng):
    ts = seconds(0.35)
    noise = lowpass(lowpass([rng.uniform(-1, 1) for _ in ts], 900), 900)
    out = []
    for t, nz in zip(ts, noise):
        thud = 0.9 * math.exp(-t / 0.025) * math.sin(2 * math.pi * 120 * t) + 2.5 * math.exp(-t / 0.012) * nz
        out.append(thud + clink(t, 0.004, 0.8) + clink(t, 0.075, 0.25))
    return finish(out)


def stomp_boing(rng):
    ts = seconds(0.45)
    squish = lowpass(lowpass([rng.uniform(-1, 1) for _ in ts], 700), 700)
    out, phase = [], 0.0
    for t, nz in zip(ts, squish):
        # the pitch climbs from 170 Hz to about 520 Hz and wobbles like a spring
        f = 170 + 350 * (1 - math.exp(-t / 0.12))
        f *= 1 + 0.18 * math.exp(-t / 0.15) * math.sin(2 * math.pi * 14 * t)
        phase += 2 * math.pi * f / RATE
        attack = min(1.0, t / 0.03)
        tone = attack * math.exp(-t / 0.16) * (math.sin(phase) + 0.35 * math.sin(2 * phase) + 0.12 * math.sin(3 * phase))
        wet = 3.0 * math.exp(-t / 0.03) * nz
        out.append(tone + wet)
    return finish(out)


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets", "folder")
    os.makedirs(folder, exist_ok=True)
    write(os.path.join(folder, "mur.wav"), vial_on_stone(random.Random(7)))
    write(os.path.join(folder, "defaut.wav"), stomp_boing(random.Random(11)))


if __name__ == "__main__":
    main()
