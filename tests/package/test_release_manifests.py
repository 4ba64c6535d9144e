#!/usr/bin/env python3
"""tools/release_manifests.py and check_release.py on made-up packages."""
import json
import os
import sys
import tempfile
import unittest
import zipfile

import yaml

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import check_release  # noqa: E402
import release_manifests  # noqa: E402

VERSION = "2.10.0"
URL = "https://downloads.example.org/quellix/2.10.0"


def make_packages(directory, version=VERSION, licence=True):
    for suffix in ("win32", "win64"):
        folder = "Quellix-%s-%s" % (version, suffix)
        with zipfile.ZipFile(os.path.join(directory, folder + ".zip"), "w") as archive:
            archive.writestr(folder + "/Quellix.exe", "MZ program " + suffix)
            if licence:
                archive.writestr(folder + "/LICENSE.txt", "MIT")
        with open(os.path.join(directory, folder + ".exe"), "wb") as stream:
            stream.write(b"MZ installer " + suffix.encode())


def edit_yaml(path, change):
    with open(path, encoding="utf-8") as stream:
        manifest = yaml.safe_load(stream)
    change(manifest)
    with open(path, "w", encoding="utf-8") as stream:
        yaml.safe_dump(manifest, stream)


def edit_json(path, change):
    with open(path, encoding="utf-8") as stream:
        manifest = json.load(stream)
    change(manifest)
    with open(path, "w", encoding="utf-8") as stream:
        json.dump(manifest, stream)


def append(path, data):
    with open(path, "ab") as stream:
        stream.write(data)


class ReleaseManifests(unittest.TestCase):
    def setUp(self):
        self.temp = tempfile.TemporaryDirectory()
        self.dir = self.temp.name

    def tearDown(self):
        self.temp.cleanup()

    def path(self, *parts):
        return os.path.join(self.dir, *parts)

    def test_a_written_release_checks_out(self):
        make_packages(self.dir)
        release_manifests.write_release(self.dir, VERSION, URL + "/")
        self.assertEqual([], check_release.check_release(self.dir, VERSION))
        with open(self.path("winget", "Quellix.Quellix.installer.yaml"), encoding="utf-8") as stream:
            installer = yaml.safe_load(stream)
        self.assertEqual(
            [("x86", "user", URL + "/Quellix-2.10.0-win32.exe"), ("x86", "machine", URL + "/Quellix-2.10.0-win32.exe"),
             ("x64", "user", URL + "/Quellix-2.10.0-win64.exe"), ("x64", "machine", URL + "/Quellix-2.10.0-win64.exe")],
            [(i["Architecture"], i["Scope"], i["InstallerUrl"]) for i in installer["Installers"]])
        with open(self.path("scoop", "quellix.json"), encoding="utf-8") as stream:
            scoop = json.load(stream)
        self.assertEqual("Quellix-2.10.0-win64", scoop["architecture"]["64bit"]["extract_dir"])

    def test_the_sums_are_those_sha256sum_writes(self):
        make_packages(self.dir)
        release_manifests.write_release(self.dir, VERSION, URL)
        with open(self.path("SHA256SUMS"), encoding="utf-8") as stream:
            lines = stream.read().splitlines()
        self.assertEqual(4, len(lines))
        digest, name = lines[0].split("  ")
        self.assertEqual(("Quellix-2.10.0-win32.zip", release_manifests.sha256_of(self.path(name))), (name, digest))

    def test_missing_packages_are_named(self):
        make_packages(self.dir)
        os.remove(self.path("Quellix-2.10.0-win64.exe"))
        with self.assertRaisesRegex(FileNotFoundError, "Quellix-2.10.0-win64.exe"):
            release_manifests.write_release(self.dir, VERSION, URL)

    def test_each_fault_is_found(self):
        winget_installer = ("winget", "Quellix.Quellix.installer.yaml")
        cases = [
            ("another version", lambda: None, "1.0.0", "SHA256SUMS names"),
            ("a package changed after", lambda: append(self.path("Quellix-2.10.0-win32.exe"), b"x"), VERSION,
             "the hash of Quellix-2.10.0-win32.exe"),
            ("an architecture left out",
             lambda: edit_yaml(self.path(*winget_installer), lambda m: m["Installers"].pop()), VERSION,
             "winget: installers for"),
            ("a wrong scope switch",
             lambda: edit_yaml(self.path(*winget_installer),
                               lambda m: m["Installers"][0]["InstallerSwitches"].update(Custom="/AllUsers")),
             VERSION, "the switch is not /CurrentUser"),
            ("another installer type",
             lambda: edit_yaml(self.path(*winget_installer), lambda m: m.update(InstallerType="inno")), VERSION,
             "not nullsoft"),
            ("the locale's version",
             lambda: edit_yaml(self.path("winget", "Quellix.Quellix.locale.en-US.yaml"),
                               lambda m: m.update(PackageVersion="2.1")), VERSION, "defaultLocale manifest"),
            ("the scoop hash",
             lambda: edit_json(self.path("scoop", "quellix.json"),
                               lambda m: m["architecture"]["32bit"].update(hash="0" * 64)), VERSION,
             "scoop 32bit: the hash"),
            ("the scoop licence",
             lambda: edit_json(self.path("scoop", "quellix.json"), lambda m: m.update(license="GPL-3.0")), VERSION,
             "scoop: the licence"),
            ("a manifest that does not parse",
             lambda: append(self.path(*winget_installer), b"\n  - : [\n"), VERSION, "does not parse"),
        ]
        for what, spoil, version, expected in cases:
            with self.subTest(what):
                with tempfile.TemporaryDirectory() as directory:
                    self.dir = directory
                    make_packages(directory)
                    release_manifests.write_release(directory, VERSION, URL)
                    spoil()
                    faults = check_release.check_release(directory, version)
                    self.assertTrue(any(expected in fault for fault in faults), faults)

    def test_a_zip_without_the_licence_is_found(self):
        make_packages(self.dir, licence=False)
        release_manifests.write_release(self.dir, VERSION, URL)
        faults = check_release.check_release(self.dir, VERSION)
        self.assertEqual(2, len([f for f in faults if "holds no LICENSE.txt" in f]), faults)

    def test_yaml_keeps_every_text_a_text(self):
        texts = ["1.10", "0123", "12e3", "true", "no", "null", "a: b", "- x", "#", "", "\u00e9"]
        manifest = {"Texts": texts, "Nested": [{"Key": "1.0", "Inner": {"Count": 3}}]}
        self.assertEqual(manifest, yaml.safe_load(release_manifests.to_yaml(manifest)))


if __name__ == "__main__":
    unittest.main()
