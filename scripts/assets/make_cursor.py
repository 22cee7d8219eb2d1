#!/usr/bin/env python3
"""Makes the hand-point cursor that the shell shows where the system has none
(Windows 95 has no IDC_HAND).

    make_cursor.py OUT.cur

A 32 x 32 two-colour cursor: black outline, white fill, the rest clear; the
hot spot is the tip of the pointing finger.
"""

import struct
import sys

HAND = [
    "     XX",
    "    X..X",
    "    X..X",
    "    X..X",
    "    X..X",
    "    X..XXX",
    "    X..X..XXX",
    "    X..X..X..XX",
    "    X..X..X..X.X",
    " XX X..X..X..X..X",
    "X..XX........X..X",
    "X...X...........X",
    " X..X...........X",
    "  X.X...........X",
    "  X.............X",
    "   X............X",
    "   X...........X",
    "    X..........X",
    "    X.........X",
    "     X........X",
    "     X........X",
    "     XXXXXXXXXX",
]
HOT_SPOT = (5, 0)
SIZE = 32


def masks():
    """The XOR (colour) and AND (clear) masks, bottom row first, 4 bytes a row."""
    xor_rows, and_rows = [], []
    for y in range(SIZE):
        line = HAND[y] if y < len(HAND) else ""
        xor_bits = and_bits = 0
        for x in range(SIZE):
            c = line[x] if x < len(line) else " "
            bit = 1 << (SIZE - 1 - x)
            if c == ".":
                xor_bits |= bit
            elif c == " ":
                and_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    return b"".join(reversed(xor_rows)), b"".join(reversed(and_rows))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_cursor.py OUT.cur")
    xor_mask, and_mask = masks()
    palette = struct.pack("<4B4B", 0, 0, 0, 0, 255, 255, 255, 0)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0, len(xor_mask) + len(and_mask), 0, 0, 2, 0)
    image = header + palette + xor_mask + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    with open(sys.argv[1], "wb") as f:
        f.write(directory + entry + image)


if __name__ == "__main__":
    main()
