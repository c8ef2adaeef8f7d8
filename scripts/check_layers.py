#!/usr/bin/env python3
"""Fails when an include of src/ reaches up a layer, when two folders of
one layer include each other, or when anything but the window kit's one
call (src/ui/message_box.cpp) shows a message box, or a folder other than
ui, admin and monitor uses that call: the others return what went wrong.

The layers, lowest first: frame and resources; the window kit (ui) and the
portable subsystems (content, transport, connect); reminders and accounts;
admin and monitor. A file may include from its own folder and from any
lower layer; within a layer, from another folder only while that folder
does not include it back (directly or through others of the layer). The
resource scripts of src/resources put the library's windows together, as
the link does its code, and may include from anywhere.

    check_layers.py SRC
"""
import re
import sys
from pathlib import Path

LAYERS = [
    {"frame", "resources"},
    {"ui", "content", "transport", "connect"},
    {"reminders", "accounts"},
    {"admin", "monitor"},
]
LAYER_OF = {folder: n for n, layer in enumerate(LAYERS) for folder in layer}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/[^"]+"', re.M)
MESSAGE_BOX = re.compile(r"\bMessageBox[AW]?\s*\(")
MESSAGE_BOX_HOME = Path("ui") / "message_box.cpp"
MESSAGE_BOX_USERS = {"ui", "admin", "monitor"}


def main(src):
    src = Path(src)
    faults = []
    sideways = {}  # (from, to) -> first file
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".h", ".cpp", ".rc"} or path.parent == src:
            continue
        folder = path.relative_to(src).parts[0]
        if folder == "resources" and path.suffix == ".rc":
            continue
        if folder not in LAYER_OF:
            faults.append(f"{path}: the folder {folder} has no layer (scripts/check_layers.py)")
            continue
        text = path.read_text(errors="replace")
        if path.relative_to(src) != MESSAGE_BOX_HOME and MESSAGE_BOX.search(text):
            faults.append(f"{path}: shows a message box itself (the kit's ui::messageBox does)")
        if folder not in MESSAGE_BOX_USERS and '"ui/message_box.h"' in text:
            faults.append(f"{path}: shows message boxes, which only ui, admin and monitor do")
        for target in INCLUDE.findall(text):
            if target == folder or target not in LAYER_OF:
                continue
            if LAYER_OF[target] > LAYER_OF[folder]:
                faults.append(f"{path}: includes {target}/, a higher layer than {folder}/")
            elif LAYER_OF[target] == LAYER_OF[folder]:
                sideways.setdefault((folder, target), path)
    # Within a layer the includes between folders must not close a loop.
    def reaches(start, goal, seen):
        for (a, b) in sideways:
            if a == start and b not in seen:
                if b == goal or reaches(b, goal, seen | {b}):
                    return True
        return False
    for (a, b), path in sorted(sideways.items()):
        if reaches(b, a, {b}):
            faults.append(f"{path}: includes {b}/, which includes {a}/ back")
    for fault in faults:
        print(fault)
    print(f"layers: {len(faults)} fault(s)")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "src"))
