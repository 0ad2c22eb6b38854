#!/usr/bin/env python3
"""batch-interrupt.py DAPPLE MAKE_SAMPLE: Ctrl+C on `dapple apply --out-dir`
leaves no temporary file and no partial output: every file in the folder
has the bytes the single-file run writes. The signal goes to the whole
process group, as a terminal sends it, or to the command alone, as `kill`
does. The command dies of the signal, so that a shell loop around it stops
too. A second Ctrl+C, sent before the first is dealt with, ends it at once,
still without temporary files."""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

DAPPLE, MAKE_SAMPLE = sys.argv[1], sys.argv[2]
FILES = 8


def fail(message):
    sys.exit(f"batch-interrupt: {message}")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def interrupted_batch(work, name, signals, group):
    out = os.path.join(work, name)
    inputs = [os.path.join(work, f"in{i}.png") for i in range(FILES)]
    command = subprocess.Popen([DAPPLE, "apply", "edge", *inputs, "--out-dir", out, "--quiet"],
                               stderr=subprocess.PIPE, text=True, start_new_session=True)
    # Until the first file is written, so that the batch is well under way.
    deadline = time.monotonic() + 60
    while not (os.path.isdir(out) and any(n.endswith(".png") for n in os.listdir(out))):
        if command.poll() is not None or time.monotonic() > deadline:
            fail(f"{name}: the batch ended or stalled before writing a file: {command.stderr.read()}")
        time.sleep(0.02)
    for _ in range(signals):
        if group:
            os.killpg(command.pid, signal.SIGINT)
        else:
            command.send_signal(signal.SIGINT)
        time.sleep(0.05)
    _, err = command.communicate(timeout=60)
    # Runs the command started go on only until they see their interrupt.
    time.sleep(1)
    if command.returncode != -signal.SIGINT:
        fail(f"{name}: exit status {command.returncode}, not death by SIGINT: {err}")
    return out


def check_folder(out, reference, name):
    names = sorted(os.listdir(out))
    leftovers = [n for n in names if n.startswith(".") or not n.endswith(".png")]
    if leftovers:
        fail(f"{name}: left behind {leftovers}")
    for n in names:
        if read(os.path.join(out, n)) != reference:
            fail(f"{name}: {n} is not what the single-file run writes")
    if len(names) == FILES:
        fail(f"{name}: every file was written; the interrupt came too late to test anything")
    return len(names)


def main():
    work = tempfile.mkdtemp(prefix="dapple-interrupt.")
    try:
        sample = os.path.join(work, "in0.png")
        subprocess.run([MAKE_SAMPLE, sample, "1600", "1200"], check=True)
        for i in range(1, FILES):
            shutil.copyfile(sample, os.path.join(work, f"in{i}.png"))
        single = os.path.join(work, "single.png")
        subprocess.run([DAPPLE, "apply", "edge", sample, single, "--quiet"], check=True)
        reference = read(single)
        written = []
        for name, signals, group in (("group", 1, True), ("group-twice", 2, True), ("alone", 1, False),
                                     ("alone-twice", 2, False)):
            written.append(check_folder(interrupted_batch(work, name, signals, group), reference, name))
        print(f"batch-interrupt: {written} of {FILES} files written whole, nothing else left")
    finally:
        shutil.rmtree(work, ignore_errors=True)


main()
