#!/usr/bin/env python3
"""Unit tests of import_audit.py on made-up `objdump -p` output."""
import os
import tempfile
import unittest

import import_audit

HEADER = """
Magic\t\t\t010b\t(PE32)
MajorOSystemVersion\t{os_major}
MinorOSystemVersion\t0
MajorSubsystemVersion\t{sub_major}
MinorSubsystemVersion\t{sub_minor}
Subsystem\t\t00000002\t(Windows GUI)
"""

IMPORTS = """
The Import Tables (interpreted .idata section contents)
 vma:            Hint    Time      Forward  DLL       First
                 Table   Stamp     Chain    Name      Thunk
 0004d000\t0004d0a0 00000000 00000000 0004e7e4 0004d768

\tDLL Name: KERNEL32.dll
\tvma:  Hint/Ord Member-Name Bound-To
\t4d95a\t  136  CloseHandle
{kernel32}
\tDLL Name: USER32.dll
\tvma:  Hint/Ord Member-Name Bound-To
\t4e0f6\t  650  MessageBoxA

 0004d014\t0004d0b4 00000000 00000000 0004e800 0004d77c

PE File Base Relocations (interpreted .reloc section contents)
\tVirtual Address: 00001000 Chunk size 48 (0x30) Number of fixups 20
"""

TABLE = {
    ("KERNEL32.DLL", "CloseHandle"): ("95", "3.1"),
    ("KERNEL32.DLL", "GetTickCount64"): ("none", "Vista"),
    ("KERNEL32.DLL", "SetSystemPowerState"): ("95", "2000"),
    ("USER32.DLL", "MessageBoxA"): ("95", "3.1"),
    ("USER32.DLL", "AllowSetForegroundWindow"): ("98", "2000"),
}


def objdump(kernel32="", os_major=4, sub_major=4, sub_minor=0):
    return HEADER.format(os_major=os_major, sub_major=sub_major, sub_minor=sub_minor) + IMPORTS.format(
        kernel32=kernel32)


class ImportAudit(unittest.TestCase):
    def faults(self, text, floor_9x="98", floor_nt="4.0"):
        return import_audit.audit(text, TABLE, floor_9x, floor_nt)

    def test_reads_each_dlls_functions_and_nothing_after_the_tables(self):
        named, by_ordinal = import_audit.parse_imports(objdump("\t4db5c\t  785  GetTickCount64"))
        self.assertEqual([("KERNEL32.DLL", "CloseHandle"), ("KERNEL32.DLL", "GetTickCount64"),
                          ("USER32.DLL", "MessageBoxA")], named)
        self.assertEqual([], by_ordinal)

    def test_old_functions_and_a_4_0_header_pass(self):
        self.assertEqual([], self.faults(objdump()))

    def test_a_function_newer_than_either_floor_fails(self):
        faults = self.faults(objdump("\t4db5c\t  785  GetTickCount64"))
        self.assertEqual(2, len(faults), faults)
        self.assertIn("GetTickCount64: never exported, floor Windows 98", faults[0])
        self.assertIn("GetTickCount64: exported from Windows NT Vista on, floor Windows NT 4.0", faults[1])

    def test_the_floor_decides_per_family(self):
        text = objdump("\t4dd12\t 1338  SetSystemPowerState")
        self.assertEqual(1, len(self.faults(text, "95", "4.0")))
        self.assertEqual([], self.faults(text, "95", "2000"))

    def test_a_function_missing_from_the_table_fails(self):
        faults = self.faults(objdump("\t4dd12\t 1338  CreateFileA"))
        self.assertEqual(["KERNEL32.DLL CreateFileA: not in the table"], faults)

    def test_an_import_by_ordinal_fails(self):
        faults = self.faults(objdump("\t4dd12\t   17"))
        self.assertEqual(["KERNEL32.DLL ordinal 17: imported by ordinal, which the table does not cover"], faults)

    def test_a_header_asking_for_a_newer_subsystem_or_os_fails(self):
        self.assertEqual(1, len(self.faults(objdump(sub_major=6))))
        self.assertEqual(1, len(self.faults(objdump(sub_minor=10))))
        self.assertEqual(1, len(self.faults(objdump(os_major=5))))

    def test_output_without_imports_fails(self):
        self.assertTrue(self.faults(HEADER.format(os_major=4, sub_major=4, sub_minor=0)))


SECTIONS = """
Idx Name          Size      VMA       LMA       File off  Algn
  0 .text         00031040  00401000  00401000  00000400  2**2
  5 .idata        00002000  0044c000  0044c000  00048000  2**2
"""


class CallSlots(unittest.TestCase):
    """KERNEL32's slots start at 0x44d768 (ImageBase 0x400000), USER32's at 0x44d77c."""

    def faults(self, disassembly, base="00400000"):
        private = objdump("\t4db5c\t  785  GetTickCount64") + f"\nImageBase\t\t{base}\n"
        return import_audit.unfilled_call_slots(private, SECTIONS, disassembly)

    def test_calls_through_filled_slots_and_data_pass(self):
        code = ("  401000:\tff 15 68 d7 44 00    \tcall   *0x44d768\n"
                "  401006:\tff 25 6c d7 44 00    \tjmp    *0x44d76c\n"
                "  40100c:\tff 15 7c d7 44 00    \tcall   *0x44d77c\n"
                "  401012:\tff 15 00 30 43 00    \tcall   *0x433000\n")  # a function pointer in .data
        self.assertEqual([], self.faults(code))

    def test_a_call_through_a_slot_no_import_fills_fails(self):
        code = ("  41b6c7:\tff 15 30 c7 44 00    \tcall   *0x44c730\n"
                "  41b6d0:\tff 15 74 d7 44 00    \tcall   *0x44d774\n")  # one past KERNEL32's three
        self.assertEqual(["call at 0x41b6c7 goes through the import slot 0x44c730, which no import fills",
                          "call at 0x41b6d0 goes through the import slot 0x44d774, which no import fills"],
                         self.faults(code))

    def test_reads_x86_64_rip_relative_calls(self):
        code = "  401000:\tff 15 2a b7 04 00    \tcall   *0x4b72a(%rip)        # 0x44c730\n"
        self.assertEqual(1, len(self.faults(code)))


class FloorTable(unittest.TestCase):
    def load(self, text):
        with tempfile.NamedTemporaryFile("w", suffix=".tsv", delete=False) as table:
            table.write(text)
        try:
            return import_audit.load_table(table.name)
        finally:
            os.unlink(table.name)

    def test_reads_rows_and_skips_comments(self):
        self.assertEqual({("USER32.DLL", "LockWorkStation"): ("none", "2000")},
                         self.load("# comment\n\nuser32.dll\tLockWorkStation\tnone\t2000\tdocs\n"))

    def test_rejects_an_unknown_release(self):
        with self.assertRaises(ValueError):
            self.load("USER32.DLL\tLockWorkStation\t2000\t2000\tdocs\n")

    def test_the_repository_table_loads(self):
        here = os.path.dirname(os.path.abspath(__file__))
        self.assertGreater(len(import_audit.load_table(os.path.join(here, "import_floors.tsv"))), 150)


if __name__ == "__main__":
    unittest.main()
