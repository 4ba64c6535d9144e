#!/usr/bin/env python3
"""Import audit of the shipped Quellix.exe.

Reads `objdump -p` of the exe and fails when it imports a function by name
that the oldest supported Windows does not export, or one missing from the
table (import_floors.tsv), or when its PE header asks an old loader for more
than it knows (subsystem or OS version above 4.0).

It also reads `objdump -d` and `objdump -h` and fails when the code calls
through a slot of the import section that no import descriptor has the
loader fill: such a slot holds 0 or a link-time value, and the call jumps
there (the fault of a delay-load library whose stubs the linker dropped).

    import_audit.py [--objdump PROG] [--table FILE] [--floor-9x 98] [--floor-nt 4.0] EXE

Exit status 0 when all is well, 1 with one line per fault otherwise.
"""
import argparse
import os
import re
import subprocess
import sys

# Releases of each family, oldest first; "none": the family never exports it.
FAMILY_9X = ["95", "98", "Me"]
FAMILY_NT = ["3.1", "3.5", "3.51", "4.0", "2000", "XP", "Vista", "7", "8", "10"]
# An old loader refuses an image that asks for a later subsystem or OS.
HEADER_LIMITS = {"MajorSubsystemVersion": (4, "MinorSubsystemVersion", 0),
                 "MajorOSystemVersion": (4, "MinorOSystemVersion", 0)}


def parse_imports(text):
    """Returns ([(dll, name)], [(dll, ordinal)]) from `objdump -p` output."""
    named, by_ordinal = [], []
    dll = None
    for line in text.splitlines():
        found = re.match(r"\s*DLL Name: (\S+)", line)
        if found:
            dll = found.group(1).upper()
            continue
        if dll is None:
            continue
        if not line.strip():
            # The table of one DLL ends with an empty line.
            continue
        entry = re.match(r"\t[0-9a-f]+\t\s*(\d+)\s+(\S+)\s*$", line)
        if entry and entry.group(2) == "<none>":
            by_ordinal.append((dll, int(entry.group(1))))
            continue
        if entry:
            named.append((dll, entry.group(2)))
            continue
        ordinal = re.match(r"\t[0-9a-f]+\t\s*(\d+)\s*$", line)
        if ordinal:
            by_ordinal.append((dll, int(ordinal.group(1))))
            continue
        if not line.startswith("\t") and not line.startswith(" "):
            dll = None
    return named, by_ordinal


def loader_filled_slots(text):
    """The addresses of the import slots the loader fills, from `objdump -p` output."""
    header = parse_header(text)
    base = int(header.get("ImageBase", "0"), 16)
    width = 8 if header.get("Magic") == "020b" else 4
    descriptors = re.findall(r"^ [0-9a-f]{8}\t[0-9a-f]{8} [0-9a-f]{8} [0-9a-f]{8} [0-9a-f]{8} ([0-9a-f]{8})$",
                             text, re.M)
    tables = re.findall(r"DLL Name: \S+\n\tvma:[^\n]*\n((?:\t[0-9a-f]+\t[^\n]*\n)*)", text)
    slots = set()
    for first_thunk, table in zip(descriptors, tables):
        for index in range(len(table.splitlines())):
            slots.add(base + int(first_thunk, 16) + width * index)
    return slots


def parse_section(text, name):
    """(start, end) of section `name` from `objdump -h` output, or None."""
    found = re.search(r"^\s*\d+\s+" + re.escape(name) + r"\s+([0-9a-f]+)\s+([0-9a-f]+)", text, re.M)
    if not found:
        return None
    start = int(found.group(2), 16)
    return start, start + int(found.group(1), 16)


def indirect_call_targets(disassembly):
    """{slot address: first instruction address} of every call or jump through a fixed address."""
    targets = {}
    for line in disassembly.splitlines():
        # i686: "call *0x44c730"; x86_64: "call *0x2c1a(%rip)        # 0x14004c730"
        found = (re.match(r"\s*([0-9a-f]+):.*\t(?:call|jmp)\s+\*0x([0-9a-f]+)\s*$", line) or
                 re.match(r"\s*([0-9a-f]+):.*\t(?:call|jmp)\s+\*0x[0-9a-f]+\(%rip\)\s+# (?:0x)?([0-9a-f]+)", line))
        if found:
            targets.setdefault(int(found.group(2), 16), int(found.group(1), 16))
    return targets


def unfilled_call_slots(private_headers, section_headers, disassembly):
    """A fault line for each slot of the import section that the code calls through but the loader never fills."""
    section = parse_section(section_headers, ".idata")
    if section is None:
        return []
    filled = loader_filled_slots(private_headers)
    faults = []
    for slot, caller in sorted(indirect_call_targets(disassembly).items()):
        if section[0] <= slot < section[1] and slot not in filled:
            faults.append(f"call at {caller:#x} goes through the import slot {slot:#x}, which no import fills")
    return faults


def parse_header(text):
    """The PE header fields of `objdump -p` output, as {name: value string}."""
    fields = {}
    for line in text.splitlines():
        found = re.match(r"([A-Za-z0-9]+)\s+(\S+)", line)
        if found and found.group(1) not in fields:
            fields[found.group(1)] = found.group(2)
    return fields


def load_table(path):
    """{(DLL, function): (first 9x, first NT)} from the tab-separated table."""
    table = {}
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            if not line.strip() or line.startswith("#"):
                continue
            columns = line.rstrip("\n").split("\t")
            if len(columns) < 4:
                raise ValueError(f"{path}:{number}: want DLL, function, 9x, NT, note")
            dll, function, first_9x, first_nt = (c.strip() for c in columns[:4])
            for value, family in ((first_9x, FAMILY_9X), (first_nt, FAMILY_NT)):
                if value != "none" and value not in family:
                    raise ValueError(f"{path}:{number}: unknown release {value!r}")
            table[(dll.upper(), function)] = (first_9x, first_nt)
    return table


def later_than(first, floor, family):
    return first == "none" or family.index(first) > family.index(floor)


def audit(objdump_text, table, floor_9x, floor_nt):
    """The faults found, one line each."""
    faults = []
    named, by_ordinal = parse_imports(objdump_text)
    if not named:
        faults.append("no imports found: is this the output of objdump -p of an exe?")
    for dll, function in named:
        first = table.get((dll, function))
        if first is None:
            faults.append(f"{dll} {function}: not in the table")
            continue
        first_9x, first_nt = first
        for first_in, floor, family, name in ((first_9x, floor_9x, FAMILY_9X, "Windows"),
                                              (first_nt, floor_nt, FAMILY_NT, "Windows NT")):
            if later_than(first_in, floor, family):
                since = "never exported" if first_in == "none" else f"exported from {name} {first_in} on"
                faults.append(f"{dll} {function}: {since}, floor {name} {floor}")
    for dll, ordinal in by_ordinal:
        faults.append(f"{dll} ordinal {ordinal}: imported by ordinal, which the table does not cover")
    header = parse_header(objdump_text)
    for major, (limit, minor, minor_limit) in HEADER_LIMITS.items():
        if major not in header or minor not in header:
            faults.append(f"PE header: {major} not found")
            continue
        asked = (int(header[major], 16), int(header[minor], 16))
        if asked > (limit, minor_limit):
            faults.append(f"PE header: {major}.{minor} is {asked[0]}.{asked[1]}, old loaders accept {limit}.{minor_limit}")
    if header.get("Magic") != "010b":
        faults.append(f"PE header: Magic {header.get('Magic')}, not a 32-bit image (010b)")
    return faults


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("--table", default=os.path.join(here, "import_floors.tsv"))
    parser.add_argument("--floor-9x", default="98", choices=FAMILY_9X)
    parser.add_argument("--floor-nt", default="4.0", choices=FAMILY_NT)
    parser.add_argument("exe")
    args = parser.parse_args()
    def objdump(option):
        return subprocess.run([args.objdump, option, args.exe], check=True, capture_output=True, text=True).stdout

    text = objdump("-p")
    faults = audit(text, load_table(args.table), args.floor_9x, args.floor_nt)
    faults += unfilled_call_slots(text, objdump("-h"), objdump("-d"))
    named, _ = parse_imports(text)
    for fault in faults:
        print(f"import audit: {fault}")
    print(f"import audit: {args.exe}: {len(named)} functions imported by name, {len(faults)} faults "
          f"(floor: Windows {args.floor_9x} and NT {args.floor_nt})")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
