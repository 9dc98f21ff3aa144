#!/usr/bin/env python3
"""Writes the demo play list: short sine tones as 16-bit mono wave files.

usage: make-tones.py OUTPUT_FOLDER
"""
import math
import os
import struct
import sys
import wave

RATE = 22050
# A rising triad and its octave, so a listener hears that the order changes.
TONES = [("tone-c5.wav", 523.25), ("tone-e5.wav", 659.25), ("tone-g5.wav", 783.99), ("tone-c6.wav", 1046.5)]
SECONDS = 1.5


def write_tone(path, frequency):
    count = int(RATE * SECONDS)
    fade = int(RATE * 0.02)  # no clicks at the edges
    frames = bytearray()
    for i in range(count):
        envelope = min(1.0, i / fade, (count - 1 - i) / fade)
        frames += struct.pack("<h", int(12000 * envelope * math.sin(2 * math.pi * frequency * i / RATE)))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, frequency in TONES:
        write_tone(os.path.join(folder, name), frequency)


if __name__ == "__main__":
    main()
