#!/usr/bin/env python3
"""Writes the program's own sounds into data/: "Utopia Schließen.WAV", the closing chime
(three falling bell tones with a soft decay, 22050 Hz, 16-bit mono, under a second)."""
import math
import os
import struct
import sys
import wave

RATE = 22050


def bell(freq, start, length, samples):
    for i in range(int(length * RATE)):
        t = i / RATE
        envelope = math.exp(-4.0 * t) * min(1.0, t * 200.0)
        value = (math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(2 * math.pi * 2.01 * freq * t)) * envelope
        j = int(start * RATE) + i
        if j < len(samples):
            samples[j] += value


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    samples = [0.0] * int(0.9 * RATE)
    for k, freq in enumerate((880.0, 659.25, 523.25)):
        bell(freq, 0.12 * k, 0.9 - 0.12 * k, samples)
    peak = max(abs(s) for s in samples) or 1.0
    frames = b"".join(struct.pack("<h", int(s / peak * 0.6 * 32767)) for s in samples)
    with wave.open(os.path.join(out, "Utopia Schließen.WAV"), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


if __name__ == "__main__":
    main()
