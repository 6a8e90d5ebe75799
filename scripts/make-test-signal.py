#!/usr/bin/env python3
"""Writes the short test signal the main job renders: three plucked tones, mono, 48 kHz."""
import math
import struct
import sys
import wave

rate = 48000
seconds = 2.0
notes = [(0.0, 440.0), (0.5, 660.0), (1.0, 550.0)]

samples = [0.0] * int(rate * seconds)
for start, frequency in notes:
    first = int(start * rate)
    for k in range(int(0.4 * rate)):
        t = k / rate
        samples[first + k] += 0.5 * math.exp(-t * 9.0) * math.sin(2.0 * math.pi * frequency * t)

with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(rate)
    out.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767)) for s in samples))
