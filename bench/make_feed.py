#!/usr/bin/python3
"""Writes a realistic podcast feed with N items: enclosure, guid, category, date and one
extension element per item. Usage: make_feed.py N OUT"""
import random
import sys
from datetime import datetime, timedelta, timezone
from email.utils import format_datetime

WORDS = ("news tech garden coffee history science music travel code design health story "
         "weekly interview review guide notes deep dive season finale bonus live").split()


def sentence(rng, n):
    return " ".join(rng.choice(WORDS) for _ in range(n)).capitalize()


def main():
    count, out = int(sys.argv[1]), sys.argv[2]
    rng = random.Random(20261211)
    start = datetime(2005, 1, 1, tzinfo=timezone.utc)
    with open(out, "w", encoding="utf-8", newline="\r\n") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n')
        f.write('<rss version="2.0" xmlns:itunes="http://www.itunes.com/dtds/podcast-1.0.dtd">\n')
        f.write("  <channel>\n")
        f.write("    <title>The Benchmark Hour</title>\n")
        f.write("    <link>https://podcast.example.org/</link>\n")
        f.write("    <description>Conversations about everything &amp; nothing.</description>\n")
        f.write("    <language>en-us</language>\n")
        f.write("    <itunes:author>Orvel Studios</itunes:author>\n")
        for i in range(count):
            when = start + timedelta(minutes=rng.randrange(0, 20 * 365 * 24 * 60))
            f.write("    <item>\n")
            f.write(f"      <title>Episode {i}: {sentence(rng, 4)}</title>\n")
            f.write(f"      <link>https://podcast.example.org/episodes/{i}</link>\n")
            f.write(f"      <description>{sentence(rng, 30)} &lt;b&gt;Show notes&lt;/b&gt;.</description>\n")
            f.write(f"      <category>{rng.choice(WORDS)}</category>\n")
            f.write(f'      <enclosure url="https://cdn.example.org/audio/{i}.mp3" '
                    f'length="{rng.randrange(10**6, 3 * 10**9)}" type="audio/mpeg"/>\n')
            f.write(f"      <pubDate>{format_datetime(when, usegmt=True)}</pubDate>\n")
            f.write(f'      <guid isPermaLink="false">podcast-example-{i}</guid>\n')
            f.write(f"      <itunes:duration>{rng.randrange(10, 90)}:{rng.randrange(60):02d}</itunes:duration>\n")
            f.write("    </item>\n")
        f.write("  </channel>\n</rss>\n")


if __name__ == "__main__":
    main()
