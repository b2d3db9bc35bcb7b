#!/usr/bin/python3
"""Finds known misspellings in the program's own texts: sources, help pages, labels,
templates and the base schema.  A Czech user reads each of them as carelessness, so a fixed
one must never come back.  --self-test shows that a misspelling is found.
"""

import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ("src", "resources", "tools")
SUFFIXES = (".h", ".cpp", ".htm", ".html", ".lng", ".sql", ".frf", ".ini", ".md")

# Whole words or phrases; a word that is right in another sentence is listed in the phrase
# in which it was wrong ("seznam produktu" where the list holds many products).
MISSPELLINGS = [
    "mometální", "vydabé", "stromovou menu", "ž á d n á", "obchodních partneru",
    "seznam produktu", "zalohovani", "faktury,zadejte", "Roztánhout", "tiskovu sestavu",
    "názevu", "tohoho", "disktetu", "kalulatoru", "parneři", "Kliinutím", "Vindows",
    "klikěte", "prohlížec", "tototo", "Tématická", "Hlavni okno", "Devadeesát",
    "Vaší kontrolu", "novy uzivatelsky", "vlozte titulek", "zde napiste",
    "znovunačíst",
]
PATTERN = re.compile(r"(?<!\w)(" + "|".join(re.escape(m) for m in MISSPELLINGS) + r")(?!\w)")


def faults_in(name, text):
    faults = []
    for number, line in enumerate(text.splitlines(), 1):
        for found in PATTERN.finditer(line):
            faults.append(f"{name}:{number}: \"{found.group(1)}\"")
    return faults


def main():
    if "--self-test" in sys.argv[1:]:
        found = faults_in("injected", 'text = "Před spuštěním zalohovani dat"')
        print("check_texts: the injected misspelling was " + ("found" if found else "missed"))
        return 0 if found else 1
    faults = []
    for folder in FOLDERS:
        for path, _, names in os.walk(os.path.join(ROOT, folder)):
            for name in names:
                if not name.endswith(SUFFIXES) or name == os.path.basename(__file__):
                    continue
                full = os.path.join(path, name)
                with open(full, encoding="utf-8", errors="replace") as source:
                    faults += faults_in(os.path.relpath(full, ROOT), source.read())
    for fault in faults:
        print(fault)
    if faults:
        print(f"check_texts: {len(faults)} known misspelling(s) in the program's texts")
        return 1
    print("check_texts: no known misspelling in the program's texts")
    return 0


if __name__ == "__main__":
    sys.exit(main())
