#!/usr/bin/python3
"""Prints, for each VEVENT of an iCalendar file, its UID and the dates on which
python-dateutil puts its series from its DTSTART up to the year given:

    expand_series.py FILE LAST_YEAR
    1@almanis.events 2000-01-01 2001-01-01 ...

dateutil is what several calendar programs and CalDAV servers expand rules
with, so the test reads the program's export as they do."""
import sys
from datetime import datetime

from dateutil.rrule import rrulestr


def unfolded(text):
    lines = []
    for line in text.replace("\r\n", "\n").split("\n"):
        if line[:1] in (" ", "\t") and lines:
            lines[-1] += line[1:]
        else:
            lines.append(line)
    return lines


def main():
    path, last_year = sys.argv[1], int(sys.argv[2])
    with open(path, encoding="utf-8") as f:
        lines = unfolded(f.read())
    entry = None
    for line in lines:
        if line == "BEGIN:VEVENT":
            entry = {}
        elif line == "END:VEVENT":
            start = entry["DTSTART"]
            first = datetime(int(start[0:4]), int(start[4:6]), int(start[6:8]))
            rule = rrulestr(entry["RRULE"], dtstart=first)
            dates = [d.date().isoformat() for d in rule.between(
                datetime(first.year, 1, 1), datetime(last_year, 12, 31), inc=True)]
            print(entry["UID"], *dates)
            entry = None
        elif entry is not None and ":" in line:
            name, value = line.split(":", 1)
            entry[name.split(";", 1)[0]] = value


main()
