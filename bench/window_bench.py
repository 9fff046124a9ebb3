#!/usr/bin/python3
"""Opening a 100 000-item feed in the editor against `quillcast-cli check` on the same file,
in one run. Usage: window_bench.py BUILD_BIN_DIR [--items N]"""
import argparse
import os
import statistics
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("bin")
    ap.add_argument("--items", type=int, default=100000)
    ap.add_argument("--runs", type=int, default=5)
    args = ap.parse_args()
    with tempfile.TemporaryDirectory() as tmp:
        feed = os.path.join(tmp, "feed.xml")
        subprocess.run(["/usr/bin/python3", os.path.join(HERE, "make_feed.py"), str(args.items), feed],
                       check=True)
        checks = []
        for _ in range(args.runs):
            start = time.perf_counter()
            subprocess.run([os.path.join(args.bin, "quillcast-cli"), "check", feed], check=True,
                           stdout=subprocess.DEVNULL)
            checks.append(time.perf_counter() - start)
        check = statistics.median(checks)
        paints, figures = [], {}
        for _ in range(args.runs):
            out = subprocess.run([os.path.join(args.bin, "bench_window"), feed], check=True,
                                 capture_output=True, text=True).stdout
            values = dict(line.split() for line in out.strip().splitlines())
            paints.append(float(values["first_paint"]))
            figures = values
        paint = statistics.median(paints)
    print(f"items: {figures['items']}")
    print(f"quillcast-cli check: {check:.3f} s (median of {args.runs})")
    print(f"open and first paint: {paint:.3f} s (median of {args.runs}); ratio {paint / check:.2f}"
          f" (target 1.5)")
    print(f"search that finds nothing: {float(figures['search_miss_median']):.3f} s (median)")
    print(f"post of one edited item: {float(figures['post_median']) * 1000:.2f} ms (median)")


if __name__ == "__main__":
    main()
