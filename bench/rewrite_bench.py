#!/usr/bin/python3
"""Times `quillcast-cli rewrite` against pugixml parsing and serialising the same file, and
against feedparser reading it, all in one run on the same machine. Reports ratios.

Usage: rewrite_bench.py BUILD_BIN_DIR [--runs N]"""
import argparse
import os
import resource
import statistics
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def measure(cmd, runs):
    """Median wall time in seconds and the largest peak resident size in MiB over the runs."""
    times, peaks = [], []
    for _ in range(runs):
        start = time.perf_counter()
        proc = subprocess.Popen(cmd, stdout=subprocess.DEVNULL)
        _, status, usage = os.wait4(proc.pid, 0)
        times.append(time.perf_counter() - start)
        if status != 0:
            raise SystemExit(f"failed: {' '.join(cmd)}")
        peaks.append(usage.ru_maxrss / 1024.0)
    return statistics.median(times), max(peaks)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("bin")
    ap.add_argument("--runs", type=int, default=5)
    args = ap.parse_args()
    cli = os.path.join(args.bin, "quillcast-cli")
    baseline = os.path.join(args.bin, "pugixml_baseline")
    rows = []
    with tempfile.TemporaryDirectory() as tmp:
        for n in (1000, 10000, 100000):
            feed = os.path.join(tmp, f"feed-{n}.xml")
            subprocess.run(["/usr/bin/python3", os.path.join(HERE, "make_feed.py"), str(n), feed],
                           check=True)
            size = os.path.getsize(feed) / 2**20
            ours = measure([cli, "rewrite", feed, os.path.join(tmp, "out.xml")], args.runs)
            base = measure([baseline, feed, os.path.join(tmp, "base.xml")], args.runs)
            row = dict(n=n, size=size, ours=ours, base=base)
            if n == 10000:
                row["feedparser"] = measure(
                    ["/usr/bin/python3", os.path.join(HERE, "feedparser_read.py"), feed], 1)
            rows.append(row)

    print("| items | file MiB | rewrite s | pugixml s | time ratio | rewrite MiB | pugixml MiB "
          "| memory ratio |")
    print("|---|---|---|---|---|---|---|---|")
    for r in rows:
        (t, m), (bt, bm) = r["ours"], r["base"]
        print(f"| {r['n']} | {r['size']:.1f} | {t:.3f} | {bt:.3f} | {t / bt:.2f} | {m:.0f} | "
              f"{bm:.0f} | {m / bm:.2f} |")
    r10 = next(r for r in rows if r["n"] == 10000)
    fp = r10["feedparser"][0]
    print(f"\nfeedparser reads 10 000 items in {fp:.2f} s; the rewrite takes {r10['ours'][0]:.3f} s: "
          f"{fp / r10['ours'][0]:.0f} times faster (pugixml alone: {fp / r10['base'][0]:.0f} times)")
    r100 = rows[-1]
    print("100 000 items within 1.5 times pugixml's time and memory:",
          "yes" if r100["ours"][0] <= 1.5 * r100["base"][0] and r100["ours"][1] <= 1.5 * r100["base"][1]
          else "NO")
    print("50 times faster than feedparser:", "yes" if fp >= 50 * r10["ours"][0] else "NO")


if __name__ == "__main__":
    main()
