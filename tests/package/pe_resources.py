#!/usr/bin/env python3
"""What a Windows executable carries in its resources, read without Wine.

    pe_resources.py version FILE          the version record's strings, NAME=value a line
    pe_resources.py manifest FILE         the manifest's text
    pe_resources.py same-icon FILE ICO    exit 0 when FILE's first icon group holds ICO's images

Only what the installer test needs: the resource tree of a PE file, the
strings of VS_VERSIONINFO, the manifest (type 24) and the icon group (14)
with its images (3), compared with an .ico file image by image.
"""
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


def resources(data):
    """{(type, name, language): bytes} for every resource of the PE image `data`."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rva, _ = struct.unpack_from("<II", data, directories + 2 * 8)
    table = optional + optional_size
    section_list = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def offset(address):
        for virtual_size, virtual_address, raw_size, raw_pointer in section_list:
            if virtual_address <= address < virtual_address + max(virtual_size, raw_size):
                return address - virtual_address + raw_pointer
        raise ValueError("address outside every section: %#x" % address)

    base = offset(rva)
    found = {}

    def walk(directory, path):
        named, numbered = struct.unpack_from("<12xHH", data, base + directory)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
            key = name if not name & 0x80000000 else "#%x" % name
            if target & 0x80000000:
                walk(target & 0x7FFFFFFF, path + (key,))
            else:
                data_rva, size = struct.unpack_from("<II", data, base + target)
                found[path + (key,)] = data[offset(data_rva):offset(data_rva) + size]

    walk(0, ())
    return found


def of_type(found, kind):
    return [value for key, value in sorted(found.items(), key=lambda kv: str(kv[0])) if key[0] == kind]


def version_strings(record):
    """The StringFileInfo strings of a VS_VERSIONINFO block."""
    strings = {}

    def node(at):
        length, value_length, kind = struct.unpack_from("<HHH", record, at)
        end = record.index(b"\0\0", at + 6)
        while (end - at - 6) % 2:
            end = record.index(b"\0\0", end + 1)
        key = record[at + 6:end].decode("utf-16-le")
        value_at = (end + 2 + 3) & ~3
        child = value_at
        if kind == 1 and value_length:
            value = record[value_at:value_at + 2 * value_length].decode("utf-16-le").rstrip("\0")
            strings[key] = value
            child = value_at + 2 * value_length
        elif value_length:
            child = value_at + value_length
        child = (child + 3) & ~3
        while child < at + length:
            child_length = struct.unpack_from("<H", record, child)[0]
            if child_length == 0:
                break
            node(child)
            child = (child + child_length + 3) & ~3

    node(0)
    return strings


def icon_images(found):
    """The images of the first icon group, in its order."""
    group = of_type(found, RT_GROUP_ICON)[0]
    count = struct.unpack_from("<H", group, 4)[0]
    icons = {key[1]: value for key, value in found.items() if key[0] == RT_ICON}
    return [icons[struct.unpack_from("<H", group, 6 + 14 * i + 12)[0]] for i in range(count)]


def ico_images(ico):
    count = struct.unpack_from("<H", ico, 4)[0]
    images = []
    for i in range(count):
        size, at = struct.unpack_from("<II", ico, 6 + 16 * i + 8)
        images.append(ico[at:at + size])
    return images


def main(argv):
    with open(argv[2], "rb") as f:
        found = resources(f.read())
    if argv[1] == "version":
        for name, value in sorted(version_strings(of_type(found, RT_VERSION)[0]).items()):
            print("%s=%s" % (name, value))
    elif argv[1] == "manifest":
        print(of_type(found, RT_MANIFEST)[0].decode("utf-8", "replace"))
    elif argv[1] == "same-icon":
        with open(argv[3], "rb") as f:
            return 0 if sorted(icon_images(found)) == sorted(ico_images(f.read())) else 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
