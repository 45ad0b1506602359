# SPDX-License-Identifier: MIT
"""What the Windows release files share: the project's version, the time that stamps them, and
the texts that go beside the programs (the Russian readme with a byte-order mark, the licence
and the runtime's notices, all with CRLF line ends, as Notepad wants them)."""
import os
import pathlib
import re
import subprocess

ROOT = pathlib.Path(__file__).resolve().parent.parent
PROGRAMS = ("Vornikat.exe", "data.bin", "vornikat-bank.exe")


def project_version():
    text = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"^project\(Vornikat VERSION ([0-9.]+)", text, re.M).group(1)


def build_time():
    if "SOURCE_DATE_EPOCH" in os.environ:
        return int(os.environ["SOURCE_DATE_EPOCH"])
    commit = subprocess.run(["git", "-C", str(ROOT), "log", "-1", "--format=%ct"],
                            check=True, capture_output=True, text=True)
    return int(commit.stdout)


def windows_text(text, bom=False):
    lines = text.replace("\r\n", "\n").replace("\n", "\r\n")
    return ("\ufeff" if bom else "") + lines


def release_files(folder):
    """The files of the release in their order, as (name, bytes): the programs and the bank
    from folder, then the texts."""
    resources = ROOT / "resources" / "windows"
    readme = (resources / "readme-ru.txt").read_text(encoding="utf-8")
    files = [(name, (folder / name).read_bytes()) for name in PROGRAMS]
    files += [
        ("ПРОЧТИ.txt",
         windows_text(readme.replace("@VERSION@", project_version()), bom=True).encode()),
        ("LICENSE.txt", windows_text((ROOT / "LICENSE").read_text(encoding="utf-8")).encode()),
        ("THIRD-PARTY-NOTICES.txt",
         windows_text((resources / "THIRD-PARTY-NOTICES.txt").read_text(encoding="utf-8")).encode()),
    ]
    return files
