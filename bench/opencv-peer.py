#!/usr/bin/python3
"""OpenCV doing the work of our blur and resample benchmarks, for
bench/compare-peers.sh: prints "case wall-ms" per case, the best of RUNS runs,
on OpenCV's default threads (every core, like ours).

    opencv-peer.py RUNS CASE=HALFxSIGMA... (blur cases; the resample cases are fixed)
"""
import sys
import time

import cv2
import numpy as np


def best_ms(runs, work):
    best = float("inf")
    for _ in range(runs):
        start = time.perf_counter()
        work()
        best = min(best, time.perf_counter() - start)
    return best * 1000.0


def painted(side, channels):
    # Discs and stripes, as our benchmark paints them (the content does not
    # change OpenCV's time).
    y, x = np.mgrid[0:side, 0:side]
    disc = ((x % 250 - 125) ** 2 + (y % 250 - 125) ** 2) < 90 * 90
    planes = [np.where(disc, 255 - 40 * c, ((x + y * c) // 7) % 2 * 60) for c in range(channels)]
    return np.dstack(planes).astype(np.uint8) if channels > 1 else planes[0].astype(np.uint8)


def main():
    runs = int(sys.argv[1])
    grey = painted(2000, 1)
    rgba = painted(2000, 4)
    for case in sys.argv[2:]:
        name, geometry = case.split("=")
        half, sigma = geometry.split("x")
        size = 2 * int(half) + 1
        image = rgba if "RGBA" in name else grey
        ms = best_ms(runs, lambda: cv2.GaussianBlur(image, (size, size), float(sigma),
                                                    borderType=cv2.BORDER_REPLICATE))
        print(f"{name} {ms:.1f}")
    large = np.random.default_rng(1).integers(0, 256, (3000, 4000, 3), dtype=np.uint8)
    small = cv2.resize(large, (1000, 750), interpolation=cv2.INTER_AREA)
    down = best_ms(runs, lambda: cv2.resize(large, (1000, 750), interpolation=cv2.INTER_AREA))
    up = best_ms(runs, lambda: cv2.resize(small, (4000, 3000), interpolation=cv2.INTER_LINEAR))
    print(f"BM_ResampleDown_4000x3000_to_1000x750 {down:.1f}")
    print(f"BM_ResampleUp_1000x750_to_4000x3000 {up:.1f}")


if __name__ == "__main__":
    main()
