#!/usr/bin/python3
"""The release files as a user receives them: every binary in dist/ a stripped x86-64 Windows
binary that needs no DLL beyond those Windows itself has (no MinGW runtime), carrying the
product's version; the portable zip holding exactly dist/ in one folder; the installer beside it.

    K2Q_DIST_DIR=... K2Q_PORTABLE_ZIP=... K2Q_INSTALLER=... K2Q_VERSION=x.y.z \
    K2Q_OBJDUMP=x86_64-w64-mingw32-objdump release_files_test.py"""

import hashlib
import os
import re
import subprocess
import unittest
import zipfile
from pathlib import Path

DIST = Path(os.environ["K2Q_DIST_DIR"])
ZIP = Path(os.environ["K2Q_PORTABLE_ZIP"])
INSTALLER = Path(os.environ["K2Q_INSTALLER"])
VERSION = os.environ["K2Q_VERSION"]
OBJDUMP = os.environ["K2Q_OBJDUMP"]

# Windows' own libraries, present on every x86-64 Windows since 7; the MinGW runtimes
# (libstdc++-6, libgcc_s_seh-1, libwinpthread-1) must be linked in, never imported.
SYSTEM_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "gdiplus.dll", "kernel32.dll",
    "msvcrt.dll", "ole32.dll", "oleaut32.dll", "psapi.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "version.dll", "winmm.dll",
}


def objdump(*args):
    return subprocess.run([OBJDUMP, *args], check=True, capture_output=True, text=True).stdout


def shipped_binaries():
    return sorted(p for p in DIST.iterdir() if p.suffix.lower() in (".exe", ".dll"))


class ShippedBinaries(unittest.TestCase):
    def test_there_is_at_least_the_monitor(self):
        self.assertIn("K2q_Mouse.exe", [p.name for p in shipped_binaries()])

    def test_each_is_a_stripped_x64_binary_importing_only_windows_libraries(self):
        for binary in shipped_binaries():
            with self.subTest(binary=binary.name):
                headers = objdump("-x", str(binary))
                self.assertIn("file format pei-x86-64", headers)
                imported = {n.lower() for n in re.findall(r"DLL Name: (\S+)", headers)}
                self.assertTrue(imported, "no import table found")
                self.assertLessEqual(imported, SYSTEM_DLLS)
                # Stripped: no symbol table, no debugging sections.
                self.assertRegex(headers, r"SYMBOL TABLE:\s*\n\s*no symbols")
                self.assertNotIn(".debug_", objdump("-h", str(binary)))

    def test_each_carries_the_product_version(self):
        wanted = f"{VERSION}\0".encode("utf-16-le")
        for binary in shipped_binaries():
            with self.subTest(binary=binary.name):
                data = binary.read_bytes()
                # The string table of the version resource, in UTF-16.
                for key in ("FileVersion", "ProductVersion"):
                    entry = f"{key}\0".encode("utf-16-le")
                    at = data.find(entry)
                    self.assertGreaterEqual(at, 0, f"no {key}")
                    # The value follows the key, padded to a 32-bit boundary.
                    tail = data[at + len(entry):at + len(entry) + 8 + len(wanted)]
                    self.assertIn(wanted, tail, key)


class PortableZip(unittest.TestCase):
    def test_holds_exactly_dist_in_one_versioned_folder(self):
        expected = {}
        for path in DIST.rglob("*"):
            if path.is_file():
                expected[path.relative_to(DIST).as_posix()] = hashlib.sha256(
                    path.read_bytes()).hexdigest()
        folder = f"K2q-{VERSION}/"
        with zipfile.ZipFile(ZIP) as archive:
            self.assertIsNone(archive.testzip())
            found = {}
            for info in archive.infolist():
                self.assertTrue(info.filename.startswith(folder), info.filename)
                if not info.is_dir():
                    found[info.filename[len(folder):]] = hashlib.sha256(
                        archive.read(info)).hexdigest()
        self.assertEqual(found, expected)

    def test_the_installer_lies_beside_it(self):
        self.assertEqual(INSTALLER.parent, ZIP.parent)
        self.assertEqual(INSTALLER.read_bytes()[:2], b"MZ")


if __name__ == "__main__":
    unittest.main()
