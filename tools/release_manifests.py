#!/usr/bin/env python3
"""Checksums and package-manager manifests of a Quellix release.

Given a folder holding the four packages of one version
(Quellix-<version>-win32.zip, -win32.exe, -win64.zip, -win64.exe), writes
beside them:
    SHA256SUMS                          `sha256sum -c SHA256SUMS` checks it
    winget/Quellix.Quellix.yaml         winget: the version manifest,
    winget/Quellix.Quellix.installer.yaml   the installers (nullsoft, both
    winget/Quellix.Quellix.locale.en-US.yaml  architectures, per user and
                                        for all users) and the default locale
    scoop/quellix.json                  Scoop: the zip of each architecture

    release_manifests.py --version X.Y.Z --url BASE_URL DIR

BASE_URL is where the files of DIR will be downloaded from.
"""
import argparse
import hashlib
import json
import os
import sys
import zipfile

PACKAGE_ID = "Quellix.Quellix"
MANIFEST_VERSION = "1.6.0"
PUBLISHER = "The Quellix developers"
LICENSE_FILE = "LICENSE.txt"
SHORT_DESCRIPTION = "A small shutdown timer: log off, shut down, restart, hibernate, stand by or lock at a set time."
# Package-manager names of the two builds: winget, Scoop, and the file suffix.
ARCHITECTURES = [("x86", "32bit", "win32"), ("x64", "64bit", "win64")]
# The installer's own switches (packaging/NSIS.template.in).
INSTALLER_SCOPES = [("user", "/CurrentUser"), ("machine", "/AllUsers")]


def package_names(version):
    """The four package files of a version, in SHA256SUMS order."""
    names = []
    for _, _, suffix in ARCHITECTURES:
        names += ["Quellix-%s-%s.zip" % (version, suffix), "Quellix-%s-%s.exe" % (version, suffix)]
    return names


def sha256_of(path):
    digest = hashlib.sha256()
    with open(path, "rb") as stream:
        for block in iter(lambda: stream.read(1 << 16), b""):
            digest.update(block)
    return digest.hexdigest()


def zip_top_folder(path):
    """The one folder a zip holds everything in, or "" when it has none."""
    with zipfile.ZipFile(path) as archive:
        tops = {name.split("/", 1)[0] for name in archive.namelist() if "/" in name}
        loose = [name for name in archive.namelist() if "/" not in name]
    return tops.pop() if len(tops) == 1 and not loose else ""


def to_yaml(value, indent=""):
    """Block-style YAML of dicts, lists, ints and strings; every string quoted
    (as JSON, which YAML reads), so that no version or hash turns into a
    number."""
    if isinstance(value, dict):
        lines = []
        for key, item in value.items():
            if isinstance(item, (dict, list)):
                lines.append("%s%s:" % (indent, key))
                lines.append(to_yaml(item, indent + "  "))
            else:
                lines.append("%s%s: %s" % (indent, key, to_yaml(item)))
        return "\n".join(lines)
    if isinstance(value, list):
        lines = []
        for item in value:
            if isinstance(item, dict):
                body = to_yaml(item, indent + "  ")
                lines.append(indent + "- " + body[len(indent) + 2:])
            else:
                lines.append("%s- %s" % (indent, to_yaml(item)))
        return "\n".join(lines)
    if isinstance(value, bool) or not isinstance(value, (int, str)):
        raise TypeError("no YAML for %r" % (value,))
    return str(value) if isinstance(value, int) else json.dumps(value)


def winget_manifests(version, url, hashes):
    """{file name: manifest} of the winget manifest set."""
    common = {"PackageIdentifier": PACKAGE_ID, "PackageVersion": version}
    footer = {"ManifestVersion": MANIFEST_VERSION}
    installers = []
    for winget_arch, _, suffix in ARCHITECTURES:
        name = "Quellix-%s-%s.exe" % (version, suffix)
        for scope, switch in INSTALLER_SCOPES:
            entry = {"Architecture": winget_arch, "Scope": scope, "InstallerUrl": "%s/%s" % (url, name),
                     "InstallerSha256": hashes[name].upper(), "InstallerSwitches": {"Custom": switch}}
            if scope == "machine":
                entry["ElevationRequirement"] = "elevatesSelf"
            installers.append(entry)
    installer = dict(common)
    installer.update({
        "InstallerType": "nullsoft",
        "InstallModes": ["interactive", "silent", "silentWithProgress"],
        "InstallerSwitches": {"Silent": "/S", "SilentWithProgress": "/S"},
        "UpgradeBehavior": "install",
        "ProductCode": "Quellix",
        "Installers": installers,
        "ManifestType": "installer",
    })
    installer.update(footer)
    locale = dict(common)
    locale.update({
        "PackageLocale": "en-US",
        "Publisher": PUBLISHER,
        "PackageName": "Quellix",
        "License": "MIT",
        "LicenseUrl": "%s/%s" % (url, LICENSE_FILE),
        "Copyright": "Copyright (C) 2026 " + PUBLISHER,
        "ShortDescription": SHORT_DESCRIPTION,
        "Tags": ["shutdown", "timer"],
        "ManifestType": "defaultLocale",
    })
    locale.update(footer)
    version_manifest = dict(common)
    version_manifest.update({"DefaultLocale": "en-US", "ManifestType": "version"})
    version_manifest.update(footer)
    return {
        PACKAGE_ID + ".yaml": version_manifest,
        PACKAGE_ID + ".installer.yaml": installer,
        PACKAGE_ID + ".locale.en-US.yaml": locale,
    }


def scoop_manifest(version, url, hashes, top_folders):
    architecture = {}
    for _, scoop_arch, suffix in ARCHITECTURES:
        name = "Quellix-%s-%s.zip" % (version, suffix)
        entry = {"url": "%s/%s" % (url, name), "hash": hashes[name]}
        if top_folders[name]:
            entry["extract_dir"] = top_folders[name]
        architecture[scoop_arch] = entry
    return {
        "version": version,
        "description": SHORT_DESCRIPTION,
        "homepage": url,
        "license": {"identifier": "MIT", "url": "%s/%s" % (url, LICENSE_FILE)},
        "architecture": architecture,
        "bin": "Quellix.exe",
        "shortcuts": [["Quellix.exe", "Quellix"]],
    }


def write_release(directory, version, url):
    """Writes SHA256SUMS and the manifests; returns the files written."""
    url = url.rstrip("/")
    names = package_names(version)
    missing = [name for name in names if not os.path.isfile(os.path.join(directory, name))]
    if missing:
        raise FileNotFoundError("missing in %s: %s" % (directory, ", ".join(missing)))
    hashes = {name: sha256_of(os.path.join(directory, name)) for name in names}
    written = []

    def write(relative, text):
        path = os.path.join(directory, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8", newline="\n") as stream:
            stream.write(text)
        written.append(path)

    write("SHA256SUMS", "".join("%s  %s\n" % (hashes[name], name) for name in names))
    header = "# Made by tools/release.sh for Quellix %s.\n" % version
    for name, manifest in winget_manifests(version, url, hashes).items():
        write(os.path.join("winget", name), header + to_yaml(manifest) + "\n")
    top_folders = {name: zip_top_folder(os.path.join(directory, name)) for name in names if name.endswith(".zip")}
    write(os.path.join("scoop", "quellix.json"), json.dumps(scoop_manifest(version, url, hashes, top_folders),
                                                            indent=4) + "\n")
    return written


def main(argv):
    parser = argparse.ArgumentParser(description="Checksums and manifests of a Quellix release")
    parser.add_argument("--version", required=True)
    parser.add_argument("--url", required=True, help="where the files of DIR will be downloaded from")
    parser.add_argument("directory")
    args = parser.parse_args(argv)
    try:
        for path in write_release(args.directory, args.version, args.url):
            print("release: wrote %s" % path)
    except (OSError, zipfile.BadZipFile) as error:
        print("release: %s" % error, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
