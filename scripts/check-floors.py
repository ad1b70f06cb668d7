#!/usr/bin/env python3
"""Checks that every include of the program's own headers points down the floors.

The floors, from the ground up:
  1. rules   - the files that CMake puts into tesmora_rules (rules/ and each tool's rule files)
  2. kit     - controls/ and desktop/
  3. tools   - one folder each; a tool does not include another tool's code, only its rules
  4. app     - the composition root; nothing includes it

A file may include headers of its own floor (its own folder, for tools) and of the floors below.
Usage: scripts/check-floors.py [source root]   (exit status 1 and one line per fault)
"""
import pathlib
import re
import sys

KIT = {"controls", "desktop"}
TOOLS = {"about", "calculator", "clock", "codes", "conversions", "player", "translator"}
APP = {"app"}
FLOOR_NAMES = {1: "the rules", 2: "the kit", 3: "the tools", 4: "the composition root app/"}


def rules_files(root):
    """Every source that a CMakeLists.txt hands to tesmora_rules, as a path from the root."""
    found = set()
    for cmake in root.glob("*/CMakeLists.txt"):
        text = re.sub(r"#.*", "", cmake.read_text())
        for block in re.findall(r"target_sources\(\s*tesmora_rules\b([^)]*)\)", text):
            for name in block.split():
                if name not in ("PRIVATE", "PUBLIC", "INTERFACE"):
                    found.add(f"{cmake.parent.name}/{name}")
    return found


def floor_of(path, rules):
    folder = path.split("/", 1)[0]
    if path in rules or folder == "rules":
        return 1
    if folder in KIT:
        return 2
    if folder in TOOLS:
        return 3
    if folder in APP:
        return 4
    return None


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    rules = rules_files(root)
    faults = []
    checked = 0
    for folder in sorted(KIT | TOOLS | APP | {"rules"}):
        for source in sorted((root / folder).glob("*.[ch]*")):
            path = f"{folder}/{source.name}"
            own = floor_of(path, rules)
            checked += 1
            for number, line in enumerate(source.read_text().splitlines(), 1):
                match = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
                if not match:
                    continue
                header = match.group(1)
                theirs = floor_of(header, rules)
                if theirs is None:
                    continue
                if theirs > own:
                    faults.append(f"{path}:{number}: includes {header}, a header of "
                                  f"{FLOOR_NAMES[theirs]}, from {FLOOR_NAMES[own]} below it")
                elif own == theirs == 3 and header.split("/")[0] != folder:
                    faults.append(f"{path}:{number}: includes {header}, another tool's code; "
                                  f"what two tools share belongs to the kit or the rules")
    if checked == 0:
        faults.append(f"no sources found under {root}")
    for fault in faults:
        print(f"check-floors: {fault}", file=sys.stderr)
    if not faults:
        print(f"check-floors: {checked} files, every include points down")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
