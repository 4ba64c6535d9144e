#!/usr/bin/env python3
"""Prints the dialog templates compiled into a Windows executable or .res file.

Usage: python3 dump_dialogs.py FILE [--list]

FILE is a PE executable (Quellix.exe) or a 32-bit .res file as written by
`windres -O res`. For each dialog template it prints the dialog's style,
extended style, rectangle, caption and font, then one line per control in
template (tab) order: id, class, style, extended style, rectangle, text.
--list prints every resource (type, name, language, size) first.
"""

import struct
import sys

RT_NAMES = {1: "CURSOR", 2: "BITMAP", 3: "ICON", 4: "MENU", 5: "DIALOG", 6: "STRING",
            9: "ACCELERATOR", 12: "GROUP_CURSOR", 14: "GROUP_ICON", 16: "VERSION",
            24: "MANIFEST"}
CLASS_ORDINALS = {0x80: "Button", 0x81: "Edit", 0x82: "Static", 0x83: "ListBox",
                  0x84: "ScrollBar", 0x85: "ComboBox"}
DS_SETFONT, DS_SHELLFONT = 0x40, 0x48


# ---------------------------------------------------------------------------
# Reading resources

def pe_resources(data):
    """[(type, name, language, bytes)] from a PE image."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    nsect, = struct.unpack_from("<H", data, pe + 6)
    opt_size, = struct.unpack_from("<H", data, pe + 20)
    opt = pe + 24
    magic, = struct.unpack_from("<H", data, opt)
    dirs = opt + (96 if magic == 0x10B else 112)
    rsrc_rva, _ = struct.unpack_from("<II", data, dirs + 2 * 8)
    sections = []
    for i in range(nsect):
        s = opt + opt_size + 40 * i
        vsize, va, rawsize, rawptr = struct.unpack_from("<IIII", data, s + 8)
        sections.append((va, max(vsize, rawsize), rawptr))

    def at(rva):
        for va, size, raw in sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError("RVA %#x outside every section" % rva)

    base = at(rsrc_rva)

    def name_of(entry):
        if entry & 0x80000000:
            off = base + (entry & 0x7FFFFFFF)
            n, = struct.unpack_from("<H", data, off)
            return data[off + 2:off + 2 + 2 * n].decode("utf-16-le")
        return entry

    def entries(off):
        named, ids = struct.unpack_from("<HH", data, base + off + 12)
        for i in range(named + ids):
            yield struct.unpack_from("<II", data, base + off + 16 + 8 * i)

    out = []
    for tname, toff in entries(0):
        for nname, noff in entries(toff & 0x7FFFFFFF):
            for lang, doff in entries(noff & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", data, base + doff)
                start = at(rva)
                out.append((name_of(tname), name_of(nname), lang, data[start:start + size]))
    return out


def read_sz_or_ord(data, off):
    """(value, new offset) for a string-or-ordinal field."""
    w, = struct.unpack_from("<H", data, off)
    if w == 0xFFFF:
        return struct.unpack_from("<H", data, off + 2)[0], off + 4
    end = off
    while struct.unpack_from("<H", data, end)[0] != 0:
        end += 2
    return data[off:end].decode("utf-16-le"), end + 2


def res_resources(data):
    """[(type, name, language, bytes)] from a 32-bit .res file."""
    out, off = [], 0
    while off + 8 <= len(data):
        size, hsize = struct.unpack_from("<II", data, off)
        rtype, p = read_sz_or_ord(data, off + 8)
        name, p = read_sz_or_ord(data, p)
        p = (p + 3) & ~3
        _, _, lang = struct.unpack_from("<IHH", data, p)
        body = data[off + hsize:off + hsize + size]
        if not (rtype == 0 and name == 0 and size == 0):
            out.append((rtype, name, lang, body))
        off = (off + hsize + size + 3) & ~3
    return out


# ---------------------------------------------------------------------------
# Dialog templates

def align4(off):
    return (off + 3) & ~3


def text_of(v):
    if isinstance(v, int):
        return "#%d" % v
    return '"%s"' % v.replace("\n", "\\n")


def parse_dialog(data):
    """Dialog template (classic or extended) as a dict with a list of items."""
    ext = struct.unpack_from("<HH", data, 0) == (1, 0xFFFF)
    if ext:
        _, _, help_id, exstyle, style, count, x, y, cx, cy = \
            struct.unpack_from("<HHIIIHhhhh", data, 0)
        off = 26
    else:
        style, exstyle, count, x, y, cx, cy = struct.unpack_from("<IIHhhhh", data, 0)
        off = 18
    menu, off = read_sz_or_ord(data, off)
    cls, off = read_sz_or_ord(data, off)
    title, off = read_sz_or_ord(data, off)
    font = None
    if style & DS_SETFONT:
        if ext:
            points, weight, italic, charset = struct.unpack_from("<HHBB", data, off)
            face, off = read_sz_or_ord(data, off + 6)
            font = (points, face, weight, italic, charset)
        else:
            points, = struct.unpack_from("<H", data, off)
            face, off = read_sz_or_ord(data, off + 2)
            font = (points, face)
    dlg = dict(extended=ext, style=style, exstyle=exstyle, rect=(x, y, cx, cy),
               menu=menu, cls=cls, title=title, font=font, items=[])
    for _ in range(count):
        off = align4(off)
        if ext:
            _, iexstyle, istyle, ix, iy, icx, icy, iid = \
                struct.unpack_from("<IIIhhhhI", data, off)
            off += 24
            if iid >= 0x80000000:
                iid -= 0x100000000
        else:
            istyle, iexstyle, ix, iy, icx, icy, iid = \
                struct.unpack_from("<IIhhhhH", data, off)
            off += 18
        icls, off = read_sz_or_ord(data, off)
        itext, off = read_sz_or_ord(data, off)
        extra, = struct.unpack_from("<H", data, off)
        off += 2 + extra
        if isinstance(icls, int):
            icls = CLASS_ORDINALS.get(icls, "#%d" % icls)
        dlg["items"].append(dict(id=iid, cls=icls, style=istyle, exstyle=iexstyle,
                                 rect=(ix, iy, icx, icy), text=itext))
    return dlg


def print_dialog(name, dlg):
    x, y, cx, cy = dlg["rect"]
    print("DIALOG %s (%s)" % (name, "DIALOGEX" if dlg["extended"] else "DIALOG"))
    print("  style 0x%08X  exstyle 0x%08X  rect %d, %d, %d, %d" %
          (dlg["style"], dlg["exstyle"], x, y, cx, cy))
    print("  caption %s  font %s" % (text_of(dlg["title"]), dlg["font"]))
    if dlg["menu"] or dlg["cls"]:
        print("  menu %r  class %r" % (dlg["menu"], dlg["cls"]))
    for it in dlg["items"]:
        x, y, cx, cy = it["rect"]
        print("  %6d  %-18s 0x%08X 0x%08X  %4d,%4d,%4d,%4d  %s" %
              (it["id"], it["cls"], it["style"], it["exstyle"], x, y, cx, cy,
               text_of(it["text"])))


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    if len(args) != 1:
        sys.stderr.write(__doc__)
        return 2
    with open(args[0], "rb") as f:
        data = f.read()
    resources = pe_resources(data) if data[:2] == b"MZ" else res_resources(data)
    if "--list" in argv:
        for rtype, name, lang, body in resources:
            print("%-14s %-8s lang 0x%04X  %7d bytes" %
                  (RT_NAMES.get(rtype, rtype), name, lang, len(body)))
        print()
    for rtype, name, _, body in resources:
        if rtype == 5:
            print_dialog(name, parse_dialog(body))
            print()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
