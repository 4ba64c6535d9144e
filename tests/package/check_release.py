#!/usr/bin/env python3
"""Checks a release folder as tools/release.sh leaves it.

    check_release.py --version X.Y.Z DIR

SHA256SUMS names the four packages of version X.Y.Z with the hashes of the
files beside it; the winget manifests and the Scoop manifest parse, name
that version, the MIT licence and, for each architecture, the package
beside them with its hash; both zips hold Quellix.exe and the licence where
the Scoop manifest says. Exit status 0 when all holds, 1 with one line per
fault otherwise.
"""
import argparse
import hashlib
import json
import os
import sys
import zipfile

import yaml

PACKAGE_ID = "Quellix.Quellix"
ARCHITECTURES = {"x86": ("32bit", "win32"), "x64": ("64bit", "win64")}
SCOPE_SWITCHES = {"user": "/CurrentUser", "machine": "/AllUsers"}


def sha256_of(path):
    with open(path, "rb") as stream:
        return hashlib.sha256(stream.read()).hexdigest()


def check_sums(directory, version, faults):
    """The hashes SHA256SUMS gives, {name: hash}, after checking them."""
    expected = sorted("Quellix-%s-%s.%s" % (version, suffix, ext)
                      for _, suffix in ARCHITECTURES.values() for ext in ("zip", "exe"))
    sums = {}
    with open(os.path.join(directory, "SHA256SUMS"), encoding="utf-8") as stream:
        for line in stream:
            digest, _, name = line.rstrip("\n").partition("  ")
            sums[name] = digest
    if sorted(sums) != expected:
        faults.append("SHA256SUMS names %s, not %s" % (sorted(sums), expected))
    for name, digest in sums.items():
        path = os.path.join(directory, name)
        if not os.path.isfile(path):
            faults.append("SHA256SUMS names %s, which is not beside it" % name)
        elif sha256_of(path) != digest:
            faults.append("SHA256SUMS: the hash of %s is not that of the file" % name)
    return {name: sha256_of(os.path.join(directory, name))
            for name in expected if os.path.isfile(os.path.join(directory, name))}


def check_url(url, name, what, faults):
    if not (isinstance(url, str) and url.startswith("https://") and url.endswith("/" + name)):
        faults.append("%s: the URL %r does not name %s" % (what, url, name))


def check_winget(directory, version, hashes, faults):
    manifests = {}
    for kind, name in (("version", ""), ("installer", ".installer"), ("defaultLocale", ".locale.en-US")):
        path = os.path.join(directory, "winget", PACKAGE_ID + name + ".yaml")
        with open(path, encoding="utf-8") as stream:
            manifest = yaml.safe_load(stream)
        manifests[kind] = manifest
        for key, value in (("ManifestType", kind), ("PackageIdentifier", PACKAGE_ID), ("PackageVersion", version)):
            if manifest.get(key) != value:
                faults.append("winget %s manifest: %s is %r, not %r" % (kind, key, manifest.get(key), value))
    installer = manifests["installer"]
    if installer.get("InstallerType") != "nullsoft":
        faults.append("winget: the installer type is %r, not nullsoft" % installer.get("InstallerType"))
    if installer.get("InstallerSwitches", {}).get("Silent") != "/S":
        faults.append("winget: no silent switch /S")
    seen = set()
    for entry in installer.get("Installers", []):
        arch, scope = entry.get("Architecture"), entry.get("Scope")
        seen.add((arch, scope))
        if arch not in ARCHITECTURES or scope not in SCOPE_SWITCHES:
            faults.append("winget: an installer for %r, %r" % (arch, scope))
            continue
        name = "Quellix-%s-%s.exe" % (version, ARCHITECTURES[arch][1])
        check_url(entry.get("InstallerUrl"), name, "winget %s %s" % (arch, scope), faults)
        if str(entry.get("InstallerSha256", "")).lower() != hashes.get(name):
            faults.append("winget %s %s: InstallerSha256 is not the hash of %s" % (arch, scope, name))
        if entry.get("InstallerSwitches", {}).get("Custom") != SCOPE_SWITCHES[scope]:
            faults.append("winget %s %s: the switch is not %s" % (arch, scope, SCOPE_SWITCHES[scope]))
    wanted = {(arch, scope) for arch in ARCHITECTURES for scope in SCOPE_SWITCHES}
    if seen != wanted:
        faults.append("winget: installers for %s, not %s" % (sorted(seen, key=str), sorted(wanted)))
    if manifests["defaultLocale"].get("License") != "MIT":
        faults.append("winget: the licence is %r, not MIT" % manifests["defaultLocale"].get("License"))


def check_scoop(directory, version, hashes, faults):
    with open(os.path.join(directory, "scoop", "quellix.json"), encoding="utf-8") as stream:
        manifest = json.load(stream)
    if manifest.get("version") != version:
        faults.append("scoop: the version is %r, not %r" % (manifest.get("version"), version))
    licence = manifest.get("license")
    if (licence.get("identifier") if isinstance(licence, dict) else licence) != "MIT":
        faults.append("scoop: the licence is %r, not MIT" % (licence,))
    architectures = manifest.get("architecture", {})
    for scoop_arch, suffix in ARCHITECTURES.values():
        entry = architectures.get(scoop_arch)
        name = "Quellix-%s-%s.zip" % (version, suffix)
        if not entry:
            faults.append("scoop: no %s package" % scoop_arch)
            continue
        check_url(entry.get("url"), name, "scoop %s" % scoop_arch, faults)
        if entry.get("hash", "").lower() != hashes.get(name):
            faults.append("scoop %s: the hash is not that of %s" % (scoop_arch, name))
        path = os.path.join(directory, name)
        if os.path.isfile(path):
            folder = entry.get("extract_dir", "")
            with zipfile.ZipFile(path) as archive:
                names = set(archive.namelist())
            for inside in (manifest.get("bin"), "LICENSE.txt"):
                if "/".join(filter(None, (folder, inside))) not in names:
                    faults.append("scoop %s: %s holds no %s" % (scoop_arch, name, inside))


def check_release(directory, version):
    """The faults found, one line each."""
    faults = []
    try:
        hashes = check_sums(directory, version, faults)
        check_winget(directory, version, hashes, faults)
        check_scoop(directory, version, hashes, faults)
    except (yaml.YAMLError, ValueError) as error:
        faults.append("a manifest does not parse: %s" % error)
    except (OSError, zipfile.BadZipFile, AttributeError) as error:
        faults.append("%s: %s" % (type(error).__name__, error))
    return faults


def main(argv):
    parser = argparse.ArgumentParser(description="Checks a Quellix release folder")
    parser.add_argument("--version", required=True)
    parser.add_argument("directory")
    args = parser.parse_args(argv)
    if not os.path.isfile(os.path.join(args.directory, "SHA256SUMS")):
        print("check-release: no release in %s: make it first (bash tools/release.sh)" % args.directory)
        return 1
    faults = check_release(args.directory, args.version)
    for fault in faults:
        print("check-release: %s" % fault)
    if not faults:
        print("check-release: %s: the sums and manifests of Quellix %s hold" % (args.directory, args.version))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
