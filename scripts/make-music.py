#!/usr/bin/env python3
"""Writes the six background tunes assets/sound/乐曲01.mid .. 乐曲06.mid.

Five are public-domain melodies (Beethoven's Ode to Joy, the folk song Jasmine Flower, the Minuet
in G from the Notebook for Anna Magdalena Bach, the French folk tune of Twinkle Twinkle Little Star,
and Greensleeves); the sixth is an original pentatonic piece. Each is a Standard MIDI File of
format 1: a tempo track, a melody and a chord accompaniment, written byte by byte here.
"""

import os
import struct
import sys

TICKS = 480  # per quarter note
NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def pitch(name):
    """'C4' -> 60, 'F#4' -> 66, 'Bb3' -> 58, 'R' -> None (rest)."""
    if name == "R":
        return None
    step = NOTE_NAMES[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        step += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        step -= 1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + step


def melody(text):
    """'E4:1 E4:0.5 ...' -> [(pitch or None, beats)]."""
    notes = []
    for token in text.split():
        name, beats = token.split(":")
        notes.append((pitch(name), float(beats)))
    return notes


CHORDS = {
    "C": ("C3", [0, 4, 7]), "Dm": ("D3", [0, 3, 7]), "Em": ("E3", [0, 3, 7]),
    "F": ("F2", [0, 4, 7]), "G": ("G2", [0, 4, 7]), "Am": ("A2", [0, 3, 7]),
    "D": ("D3", [0, 4, 7]), "E": ("E2", [0, 4, 7]), "Bm": ("B2", [0, 3, 7]),
    "A": ("A2", [0, 4, 7]), "G7": ("G2", [0, 4, 10]),
}


def accompaniment(chords, beats_per_bar):
    """One chord per bar (two when written 'F/C'), as a broken-chord figure."""
    notes = []
    for bar in chords.split():
        parts = bar.split("/")
        share = beats_per_bar / len(parts)
        for part in parts:
            root_name, intervals = CHORDS[part]
            root = pitch(root_name)
            tones = [root + i + 12 for i in intervals]
            figure = [root] + tones + [tones[1]] if share >= 4 else [root] + tones
            step = share / len(figure)
            for n in figure:
                notes.append((n, step))
    return notes


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)


def track(events):
    body = b"".join(varlen(delta) + data for delta, data in events)
    body += varlen(0) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(body)) + body


def note_track(notes, channel, program, velocity, name):
    events = [(0, b"\xff\x03" + varlen(len(name)) + name),
              (0, bytes([0xC0 | channel, program])),
              (0, bytes([0xB0 | channel, 7, 100])),
              (0, bytes([0xB0 | channel, 91, 48]))]  # a little reverb
    pending = 0
    for note, beats in notes:
        length = int(round(beats * TICKS))
        if note is None:
            pending += length
            continue
        sounding = max(1, int(length * 0.92))
        events.append((pending, bytes([0x90 | channel, note, velocity])))
        events.append((sounding, bytes([0x80 | channel, note, 0])))
        pending = length - sounding
    return track(events)


def tempo_track(bpm, beats_per_bar, title):
    micros = int(60_000_000 / bpm)
    name = title.encode("utf-8")
    return track([(0, b"\xff\x03" + varlen(len(name)) + name),
                  (0, b"\xff\x51\x03" + micros.to_bytes(3, "big")),
                  (0, bytes([0xFF, 0x58, 0x04, beats_per_bar, 2, 24, 8]))])


def write_tune(path, title, bpm, beats_per_bar, tune, chords, lead, backing):
    data = b"MThd" + struct.pack(">IHHH", 6, 1, 3, TICKS)
    data += tempo_track(bpm, beats_per_bar, title)
    data += note_track(melody(tune), 0, lead, 92, b"melody")
    data += note_track(accompaniment(chords, beats_per_bar), 1, backing, 58, b"chords")
    with open(path, "wb") as out:
        out.write(data)


ODE_TO_JOY = """
E4:1 E4:1 F4:1 G4:1 G4:1 F4:1 E4:1 D4:1 C4:1 C4:1 D4:1 E4:1 E4:1.5 D4:0.5 D4:2
E4:1 E4:1 F4:1 G4:1 G4:1 F4:1 E4:1 D4:1 C4:1 C4:1 D4:1 E4:1 D4:1.5 C4:0.5 C4:2
D4:1 D4:1 E4:1 C4:1 D4:1 E4:0.5 F4:0.5 E4:1 C4:1 D4:1 E4:0.5 F4:0.5 E4:1 D4:1 C4:1 D4:1 G3:2
E4:1 E4:1 F4:1 G4:1 G4:1 F4:1 E4:1 D4:1 C4:1 C4:1 D4:1 E4:1 D4:1.5 C4:0.5 C4:2 R:4
"""
ODE_CHORDS = "C G C G/C C G C G/C G C G C C G C G/C C"

JASMINE = """
E4:0.5 E4:0.5 G4:0.5 A4:0.5 C5:0.5 C5:0.5 A4:0.5 G4:0.5 G4:1 A4:0.5 G4:0.5 G4:2
E4:0.5 E4:0.5 G4:0.5 A4:0.5 C5:0.5 C5:0.5 A4:0.5 G4:0.5 G4:1 A4:0.5 G4:0.5 G4:2
G4:1 G4:1 G4:1 E4:0.5 G4:0.5 A4:1 A4:1 G4:2
E4:1 D4:0.5 E4:0.5 G4:1 E4:0.5 D4:0.5 C4:1 C4:0.5 D4:0.5 C4:2
E4:0.5 D4:0.5 C4:0.5 E4:0.5 D4:1.5 E4:0.5 G4:1 A4:0.5 C5:0.5 G4:2
D4:1 E4:0.5 G4:0.5 D4:0.5 E4:0.5 C4:0.5 A3:0.5 G3:2 A3:1 C4:1
D4:1.5 E4:0.5 C4:0.5 D4:0.5 C4:0.5 A3:0.5 G3:4 R:4
"""
JASMINE_CHORDS = "C Am/C C Am/C C F/C Am F/C Am/C F/G C Am/C G/C C C"

MINUET = """
D5:1 G4:0.5 A4:0.5 B4:0.5 C5:0.5 D5:1 G4:1 G4:1 E5:1 C5:0.5 D5:0.5 E5:0.5 F#5:0.5 G5:1 G4:1 G4:1
C5:1 D5:0.5 C5:0.5 B4:0.5 A4:0.5 B4:1 C5:0.5 B4:0.5 A4:0.5 G4:0.5 F#4:1 G4:0.5 A4:0.5 B4:0.5 G4:0.5 A4:3
D5:1 G4:0.5 A4:0.5 B4:0.5 C5:0.5 D5:1 G4:1 G4:1 E5:1 C5:0.5 D5:0.5 E5:0.5 F#5:0.5 G5:1 G4:1 G4:1
C5:1 D5:0.5 C5:0.5 B4:0.5 A4:0.5 B4:1 C5:0.5 B4:0.5 A4:0.5 G4:0.5 A4:1 B4:0.5 A4:0.5 G4:0.5 F#4:0.5 G4:3
R:3
"""
MINUET_CHORDS = "G G C G C G D D G G C G C G D G G"

TWINKLE = """
C4:1 C4:1 G4:1 G4:1 A4:1 A4:1 G4:2 F4:1 F4:1 E4:1 E4:1 D4:1 D4:1 C4:2
G4:1 G4:1 F4:1 F4:1 E4:1 E4:1 D4:2 G4:1 G4:1 F4:1 F4:1 E4:1 E4:1 D4:2
C4:1 C4:1 G4:1 G4:1 A4:1 A4:1 G4:2 F4:1 F4:1 E4:1 E4:1 D4:1 D4:1 C4:2 R:4
"""
TWINKLE_CHORDS = "C F/C F/C G/C C/F C/G C/F C/G C F/C F/C G/C C"

GREENSLEEVES = """
R:2 A4:1 C5:2 D5:1 E5:1.5 F5:0.5 E5:1 D5:2 B4:1 G4:1.5 A4:0.5 B4:1 C5:2 A4:1 A4:1.5 G#4:0.5 A4:1
B4:2 G#4:1 E4:2 A4:1 C5:2 D5:1 E5:1.5 F5:0.5 E5:1 D5:2 B4:1 G4:1.5 A4:0.5 B4:1
C5:1.5 B4:0.5 A4:1 G#4:1.5 F#4:0.5 G#4:1 A4:3 A4:2 R:1
"""
GREENSLEEVES_CHORDS = "Am Am C G Em Am Am E E Am C G Em Am E Am Am"

MORNING = """
D4:1 E4:1 F#4:1 A4:1 B4:2 A4:1 F#4:1 E4:1 F#4:1 A4:1 D5:1 B4:3 A4:1
G4:1 A4:1 B4:1 D5:1 E5:2 D5:1 B4:1 A4:1 B4:0.5 A4:0.5 F#4:1 E4:1 D4:3 R:1
F#4:1 A4:1 B4:1 A4:1 F#4:2 E4:1 D4:1 B3:1 D4:1 E4:1 F#4:1 E4:3 R:1
D4:1 E4:1 F#4:1 A4:1 B4:1.5 D5:0.5 B4:1 A4:1 F#4:1 E4:1 D4:1 E4:1 D4:4 R:4
"""
MORNING_CHORDS = "D Bm G A G Em Bm/A D D Bm G A D/Bm G/A D D D"

TUNES = [
    ("乐曲01", "Ode to Joy", 100, 4, ODE_TO_JOY, ODE_CHORDS, 73, 0),
    ("乐曲02", "Jasmine Flower", 76, 4, JASMINE, JASMINE_CHORDS, 78, 46),
    ("乐曲03", "Minuet in G", 112, 3, MINUET, MINUET_CHORDS, 6, 0),
    ("乐曲04", "Twinkle Twinkle Little Star", 92, 4, TWINKLE, TWINKLE_CHORDS, 10, 0),
    ("乐曲05", "Greensleeves", 84, 3, GREENSLEEVES, GREENSLEEVES_CHORDS, 24, 48),
    ("乐曲06", "Morning Light", 80, 4, MORNING, MORNING_CHORDS, 71, 46),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "assets", "sound")
    os.makedirs(folder, exist_ok=True)
    for file_name, title, bpm, beats, tune, chords, lead, backing in TUNES:
        write_tune(os.path.join(folder, file_name + ".mid"), title, bpm, beats, tune, chords,
                   lead, backing)


if __name__ == "__main__":
    main()
