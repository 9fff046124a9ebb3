#!/usr/bin/python3
"""Reads a feed with feedparser, the comparison for reading speed. Usage: feedparser_read.py IN"""
import sys
import warnings

warnings.filterwarnings("ignore")
import feedparser  # noqa: E402

print(len(feedparser.parse(sys.argv[1]).entries))
