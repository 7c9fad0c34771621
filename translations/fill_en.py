#!/usr/bin/env python3
"""Fills the English plural forms of the game's texts with a count; run after lupdate.

English is shown as written, except texts with a count ("%n player(s)"), whose singular and
plural forms come from here: "(s)" and "(es)" are dropped for one and spelled out for many.
Usage: translations/fill_en.py translations/trundlex_en.ts
"""
import sys
import os
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from fill_ts import fill  # noqa: E402


def forms(source):
    one = source.replace("(es)", "").replace("(s)", "")
    many = source.replace("(es)", "es").replace("(s)", "s")
    return (one, many)


if __name__ == "__main__":
    path = sys.argv[1]
    sources = [m.findtext("source") for m in ET.parse(path).iter("message")]
    sys.exit(fill(path, {source: forms(source) for source in sources}))
