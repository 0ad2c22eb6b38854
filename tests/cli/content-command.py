#!/usr/bin/env python3
"""content-command.py DAPPLE_CONTENT

dapple-content as a user meets it: help for the program and each command,
exit status 0, 1 or 2 as in every program of the family, messages that begin
with the program's name and name the file, an existing output kept unless
--overwrite, and the warnings about a sheet that does not divide evenly or
has no transparency and about a texture that is not seamless."""
import math
import os
import struct
import subprocess
import sys
import tempfile
import zlib

program = os.path.abspath(sys.argv[1])
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def write_png(path, width, height, channels, pixel):
    """A PNG of 8-bit grey (1), RGB (3) or RGBA (4) pixels, pixel(x, y) giving a tuple."""
    colour_type = {1: 0, 3: 2, 4: 6}[channels]
    rows = b"".join(b"\0" + bytes(v for x in range(width) for v in pixel(x, y)) for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def run(*args):
    result = subprocess.run([program, *args], capture_output=True, text=True)
    return result.returncode, result.stdout, result.stderr


with tempfile.TemporaryDirectory() as work:
    os.chdir(work)
    # Help: the same text either way, for the program and for each command.
    code, overview, _ = run("--help")
    check(code == 0 and overview.startswith("usage: dapple-content"), "--help")
    check(run("help")[1] == overview, "help is --help")
    for command in ("tube", "frame", "tiles", "texture"):
        code, text, _ = run(command, "--help")
        check(code == 0 and text.startswith("usage: dapple-content " + command), command + " --help")
        check(run("help", command)[1] == text, "help " + command)
    code, _, err = run("frobnicate")
    check(code == 2 and err.startswith("dapple-content: ") and "frobnicate" in err, "unknown command: " + err)

    # Cells of an ellipse on a clear ground: transparency outlines them.
    def stamp(x, y):
        inside = ((x % 10) - 4.5) ** 2 + ((y % 9) - 4) ** 2 < 16
        return (200, 40, 40, 255 if inside else 0)

    write_png("sheet.png", 20, 27, 4, stamp)
    write_png("uneven.png", 21, 27, 4, stamp)
    write_png("opaque.png", 20, 27, 3, lambda x, y: stamp(x, y)[:3])
    code, _, err = run("tube", "sheet.png", "sheet.tub", "2", "3")
    check(code == 0 and err == "", "a sheet that divides evenly, with transparency: " + err)
    code, _, err = run("tube", "uneven.png", "uneven.tub", "2", "3")
    check(code == 0 and err.startswith("dapple-content: warning: uneven.png: ") and "divide evenly" in err,
          "a sheet that does not divide: " + err)
    code, _, err = run("frame", "opaque.png", "opaque.rfr")
    check(code == 0 and "opaque.png" in err and "no transparency" in err, "an opaque sheet: " + err)

    # An existing output is kept unless --overwrite.
    before = open("sheet.tub", "rb").read()
    code, _, err = run("tube", "uneven.png", "sheet.tub", "2", "3")
    check(code == 1 and "sheet.tub" in err and "--overwrite" in err, "an existing output: " + err)
    check(open("sheet.tub", "rb").read() == before, "the existing output was changed")
    code, _, _ = run("tube", "uneven.png", "sheet.tub", "2", "3", "--overwrite")
    check(code == 0 and open("sheet.tub", "rb").read() != before, "--overwrite did not replace the output")

    # Inputs that are missing or cannot be read: usage, with the file named.
    open("broken.png", "wb").write(b"not a picture")
    for args in (("tube", "missing.png", "m.tub", "1", "1"), ("frame", "broken.png", "b.rfr"),
                 ("tiles", "no-folder", "t.ptl")):
        code, _, err = run(*args)
        check(code == 2 and err.startswith("dapple-content: ") and args[1] in err, " ".join(args) + ": " + err)
        check(not os.path.exists(args[2]), args[2] + " was written")

    # A texture that repeats without a seam, and one whose edges do not meet.
    write_png("waves.png", 64, 48, 1, lambda x, y: (int(128 + 90 * math.sin(2 * math.pi * (x / 64 + 2 * y / 48))),))
    write_png("ramp.png", 64, 48, 1, lambda x, y: (x * 4,))
    code, _, err = run("texture", "waves.png", "waves.jpg")
    check(code == 0 and err == "", "a seamless texture: " + err)
    code, _, err = run("texture", "ramp.png", "ramp.jpg")
    check(code == 0 and "ramp.png" in err and "left and right" in err, "a ramp's seam: " + err)
    check(os.path.exists("ramp.jpg"), "a texture with a warning is still written")

for failure in failures:
    print("content-command: " + failure, file=sys.stderr)
sys.exit(1 if failures else 0)
