#!/usr/bin/env python3
"""Checks the two sample payload trees in payload/ before they are committed.

Run by hand: python3 tools/artwork/check_payload.py
Standard library only. Prints what it checked, with the sizes of the archives
the packer makes from the trees, and exits non-zero on the first rule broken.
"""

import os
import sys

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
ZR_TREE = os.path.join(REPO, "payload", "zrsetup")
GATE_TREE = os.path.join(REPO, "payload", "gatesetup")

MARKER = 0xA7
MAX_NAME = 42
# Files the installer derives from the schematics and help files, or that the
# simulator writes; the installer makes and removes them, so none is shipped.
DERIVED_ENDINGS = (".zre", ".cir", ".net", ".als", ".mvl", ".1op", ".dat", ".mif",
                   ".out", ".gid")
# The package's own programs; the maintainer adds them for the real package.
OWN_PROGRAMS = ("psched.exe", "winzre.exe", "zruninstall.exe")
GATE_FOLDERS = {"cnt_3bit_abel_1": 4, "cnt_3bit_abel_2": 3, "cnt_3bit_sch": 8,
                "hierarchy": 11, "library": 3, "oct27seg": 4, "pins": 10}
GATE_ARCHIVE_SIZE = 36864
GATE_DATA_SIZE = 35987


def fail(why):
    sys.exit(f"FAIL: {why}")


def walk(root):
    """Yields (relative path, is_folder, size) for every entry below root."""
    for folder, folders, files in os.walk(root):
        folders.sort()
        for name in sorted(folders):
            yield os.path.relpath(os.path.join(folder, name), root), True, 0
        for name in sorted(files):
            path = os.path.join(folder, name)
            yield os.path.relpath(path, root), False, os.path.getsize(path)


def check_names_and_sizes(root):
    """Rules shared by both trees. Returns (files, folders, data bytes, overhead)."""
    files = folders = data = overhead = 0
    seen = set()
    for rel, is_folder, size in walk(root):
        name = os.path.basename(rel)
        raw = name.encode("ascii", "replace")
        if not all(0x21 <= b <= 0x7E for b in raw) or len(raw) > MAX_NAME:
            fail(f"{rel}: name must be printable ASCII without blanks, at most {MAX_NAME}")
        key = rel.lower()
        if key in seen:
            fail(f"{rel}: another entry differs only in case")
        seen.add(key)
        if is_folder:
            if not os.listdir(os.path.join(root, rel)):
                fail(f"{rel}: empty folder")
            folders += 1
            overhead += 1 + len(raw) + 1 + 1  # tag, name, NUL, end tag
        else:
            if size == 0:
                fail(f"{rel}: empty file")
            if name.lower().endswith(DERIVED_ENDINGS):
                fail(f"{rel}: derived files are made by the installer, not shipped")
            if name.lower() in OWN_PROGRAMS:
                fail(f"{rel}: the package's own programs are not part of the sample")
            if not name.lower().endswith(".ico"):
                content = open(os.path.join(root, rel), "rb").read()
                if content.replace(b"\r\n", b"").count(b"\n"):
                    fail(f"{rel}: text lines must end in CR LF")
            files += 1
            data += size
            overhead += 1 + len(raw) + 1 + 4  # tag, name, NUL, size field
    return files, folders, data, overhead


def check_icon(path):
    data = open(path, "rb").read()
    if len(data) != 766 or data[:6] != b"\0\0\1\0\1\0" or data[6:8] != b"\x20\x20":
        fail(f"{path}: want one 32 x 32 16-colour icon of 766 bytes")


def check_settings_file(path):
    data = open(path, "rb").read()
    if not data.endswith(b"\r\n"):
        fail("zrsim.ini: the last line must end in CR LF")
    lines = data[:-2].split(b"\r\n")
    marked = 0
    for number, line in enumerate(lines, 1):
        where = f"zrsim.ini line {number}"
        if not line:
            fail(f"{where}: empty line")
        if b"\r" in line or b"\n" in line:
            fail(f"{where}: stray CR or LF")
        if any(b > 127 and b != MARKER for b in line):
            fail(f"{where}: a byte above 127 other than the marker")
        count = line.count(bytes([MARKER]))
        if count > 1:
            fail(f"{where}: more than one marker")
        if count:
            if line[0] == MARKER or line[-1] == MARKER:
                fail(f"{where}: marker as first or last character")
            marked += 1
    libpath = [line for line in lines if line.startswith(b"LIBPATH=")]
    if len(libpath) != 1 or bytes([MARKER]) not in libpath[0]:
        fail("zrsim.ini: want one LIBPATH line with the marker")
    if not 8 <= marked <= 14:
        fail(f"zrsim.ini: {marked} marked lines, want 8 to 14")
    print(f"ok  zrsim.ini: {len(lines)} lines, {marked} with one marker each, CR LF")


def check_zr_tree():
    for part in ("BinDL", "Examples"):
        if not os.path.isdir(os.path.join(ZR_TREE, part)):
            fail(f"payload/zrsetup/{part} missing")
    extra = set(os.listdir(ZR_TREE)) - {"BinDL", "Examples"}
    if extra:
        fail(f"payload/zrsetup holds more than BinDL and Examples: {sorted(extra)}")
    files, folders, data, overhead = check_names_and_sizes(ZR_TREE)
    # The two section folders are not directory entries but section tags.
    overhead -= sum(1 + len(part) + 1 + 1 for part in ("BinDL", "Examples"))
    archive = data + overhead + 2 + 1  # section tags 'B' and 'E', closing NUL

    names = [rel for rel, is_folder, _ in walk(ZR_TREE) if not is_folder]
    for ending in (".sch", ".SCH", ".Sch"):
        if not any(rel.startswith("Examples") and rel.endswith(ending) for rel in names):
            fail(f"no schematic ending in {ending}")
    if not any(rel.upper().endswith(".HLP") for rel in names):
        fail("no help file (.HLP)")
    for required in ("Examples/index.htm", "BinDL/zrsim.ini", "BinDL/zricon.ico"):
        if required not in names:
            fail(f"payload/zrsetup/{required} missing")
    depth = max(rel.count("/") for rel in names)
    if depth > 5:
        fail("folders nest more than four levels below a section folder")
    check_icon(os.path.join(ZR_TREE, "BinDL", "zricon.ico"))
    check_settings_file(os.path.join(ZR_TREE, "BinDL", "zrsim.ini"))
    schematics = sum(1 for rel in names if rel.upper().endswith(".SCH"))
    print(f"ok  payload/zrsetup: {files} files in {folders - 2} folders below BinDL and "
          f"Examples, {schematics} schematics, {data} bytes of data, archive {archive} bytes")


def check_gate_tree():
    top = sorted(os.listdir(GATE_TREE))
    if top != sorted(list(GATE_FOLDERS) + ["zricon.ico"]):
        fail(f"payload/gatesetup top level is {top}")
    for folder, count in GATE_FOLDERS.items():
        entries = os.listdir(os.path.join(GATE_TREE, folder))
        if any(os.path.isdir(os.path.join(GATE_TREE, folder, e)) for e in entries):
            fail(f"{folder}: holds a sub-folder")
        if len(entries) != count:
            fail(f"{folder}: {len(entries)} files, want {count}")
    check_icon(os.path.join(GATE_TREE, "zricon.ico"))
    files, folders, data, overhead = check_names_and_sizes(GATE_TREE)
    archive = data + overhead + 1  # closing 'E'
    print(f"ok  payload/gatesetup: {files} files in {folders} folders, "
          f"{data} bytes of data, archive {archive} bytes")
    if (data, archive) != (GATE_DATA_SIZE, GATE_ARCHIVE_SIZE):
        fail(f"want {GATE_DATA_SIZE} bytes of data and an archive of {GATE_ARCHIVE_SIZE} "
             f"bytes: {GATE_DATA_SIZE - data:+d} bytes of data to go")


def main():
    check_zr_tree()
    check_gate_tree()


if __name__ == "__main__":
    main()
