#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Compiles resources/vornikat.rc into a tiny Windows executable, or takes the real one with
--exe, and checks its resource directory row by row, and the version block as the file's
properties show it, of the project's version. A real executable must also need no DLL but the
system's own. With --bank-tool, the executable is vornikat-bank.exe: its manifest and its
version block."""
import argparse
import pathlib
import shutil
import subprocess
import sys

SKIP = 77  # ctest's skip code, for machines without the cross tools

try:
    import pefile
except ImportError:
    print("skipped: Debian's python3-pefile is not installed")
    sys.exit(SKIP)

SOUNDS = "SOUNDS"
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
RUSSIAN, NEUTRAL, ENGLISH_US = 1049, 0, 1033

# (type, id, language) -> (size or None, the file the bytes come from, or None)
EXPECTED = {
    (SOUNDS, 101, RUSSIAN): (7552, "sound_101.wav"),
    (SOUNDS, 102, RUSSIAN): (11532, "sound_102.wav"),
    (RT_ICON, 30001, NEUTRAL): (752, "vornikat_icon_image.bin"),
    (RT_GROUP_ICON, 1, NEUTRAL): (20, "vornikat_icon_group.bin"),
    (RT_VERSION, 1, ENGLISH_US): (None, None),
}
BANK_TOOL_EXPECTED = {
    (RT_MANIFEST, 1, ENGLISH_US): (None, None),
    (RT_VERSION, 1, ENGLISH_US): (None, None),
}


def version_strings(version, name):
    return {
        "CompanyName": "Vornikat Co",
        "ProductName": "Ворникат",
        "FileVersion": version,
        "ProductVersion": version,
        "InternalName": name,
        "OriginalFilename": f"{name}.exe",
    }


def version_fixed(version):
    major, minor, patch = (int(part) for part in version.split("."))
    return {
        "FileVersionMS": major << 16 | minor, "FileVersionLS": patch << 16,
        "ProductVersionMS": major << 16 | minor, "ProductVersionLS": patch << 16,
        "FileFlagsMask": 0, "FileFlags": 0, "FileOS": 4, "FileType": 1, "FileSubtype": 0,
        "FileDateMS": 0, "FileDateLS": 0,
    }

# The DLLs every Windows has; anything else would have to ship beside the executable.
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
               "shell32.dll", "user32.dll", "winmm.dll"}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def build_executable(args, work):
    work.mkdir(parents=True, exist_ok=True)
    objects = work / "vornikat_rc.o"
    subprocess.run([args.windres, "-c", "65001", "-I", str(args.rc.parent), "-I", str(args.include),
                    "-O", "coff", "-o", str(objects), str(args.rc)], check=True)
    source = work / "tiny.cpp"
    source.write_text("int main() { return 0; }\n")
    exe = work / "tiny.exe"
    subprocess.run([args.cxx, "-o", str(exe), str(source), str(objects)], check=True)
    return exe


def read_resources(pe):
    found = {}
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        type_key = str(kind.name) if kind.name is not None else kind.id
        for entry in kind.directory.entries:
            check(entry.name is None, f"resource {entry.name} of type {type_key} has a name")
            for language in entry.directory.entries:
                rva, size = language.data.struct.OffsetToData, language.data.struct.Size
                found[(type_key, entry.id, language.id)] = pe.get_data(rva, size)
    return found


def check_version(pe, version, name):
    tables = [st for info in pe.FileInfo[0] if info.Key == b"StringFileInfo"
              for st in info.StringTable]
    check([t.LangID for t in tables] == [b"040904B0"],
          f"string tables {[t.LangID for t in tables]}, want 040904B0 only")
    if tables:
        strings = {k.decode(): v.decode() for k, v in tables[0].entries.items()}
        check(strings == version_strings(version, name), f"version strings {strings}")
    translations = [var.entry for info in pe.FileInfo[0] if info.Key == b"VarFileInfo"
                    for var in info.Var]
    check(translations == [{b"Translation": "0x0409 0x04b0"}], f"translation {translations}")
    fixed = pe.VS_FIXEDFILEINFO[0]
    for field, want in version_fixed(version).items():
        check(getattr(fixed, field) == want, f"{field} is {getattr(fixed, field):#x}, want {want:#x}")


def check_imports(pe):
    dlls = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
    check(dlls <= SYSTEM_DLLS, f"needs {sorted(dlls - SYSTEM_DLLS)} beside the system's DLLs")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--windres")
    parser.add_argument("--cxx")
    parser.add_argument("--exe", type=pathlib.Path)
    parser.add_argument("--rc", required=True, type=pathlib.Path)
    parser.add_argument("--include", type=pathlib.Path, help="the folder of the made version.h")
    parser.add_argument("--version", required=True)
    parser.add_argument("--bank-tool", action="store_true")
    parser.add_argument("--work", type=pathlib.Path)
    args = parser.parse_args()
    if args.exe is not None:
        pe = pefile.PE(str(args.exe))
        check_imports(pe)
    else:
        for tool in (args.windres, args.cxx):
            if not tool or shutil.which(tool) is None:
                print(f"skipped: {tool} is not installed")
                return SKIP
        pe = pefile.PE(str(build_executable(args, args.work)))
    expected = BANK_TOOL_EXPECTED if args.bank_tool else EXPECTED
    found = read_resources(pe)
    check(set(found) == set(expected),
          f"resources {sorted(map(str, found))}, want {sorted(map(str, expected))}")
    for key, (size, name) in expected.items():
        data = found.get(key)
        if data is None:
            continue
        check(size is None or len(data) == size, f"{key} has {len(data)} bytes, want {size}")
        if name is not None:
            check(data == (args.rc.parent / name).read_bytes(), f"{key} differs from {name}")
    check_version(pe, args.version, "vornikat-bank" if args.bank_tool else "Vornikat")

    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print(f"{len(found)} resources and the version block as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
