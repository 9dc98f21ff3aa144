#!/usr/bin/env python3
"""Checks that a 32-bit Windows program imports only what Windows XP's system DLLs export.

Reads the program's import table with objdump and looks every imported function up in the
export lists (one file per DLL, lower-case name with ".txt", one name per line). A DLL without
a list, a function missing from its DLL's list, an import by ordinal (which no list can
confirm) or a report that cannot be read fails the check. Prints the DLLs with the number of functions checked in each.

Usage: check-xp-imports.py [--objdump PROGRAM] EXE EXPORT_LISTS_FOLDER
"""
import argparse
import os
import re
import subprocess
import sys

ENTRY = re.compile(r"^\t[0-9a-fA-F]+\t\s*\d+\s+(\S+)")


def read_imports(objdump, exe):
    """{dll: [functions]} in table order, from `objdump -p`; the file format as second value."""
    env = dict(os.environ, LC_ALL="C")
    output = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True, env=env).stdout
    file_format = re.search(r"file format (\S+)", output)
    imports, dll, in_tables = {}, None, False
    for line in output.splitlines():
        if line.startswith("The Import Tables"):
            in_tables = True
        elif in_tables and line and not line[0].isspace():
            break                               # the next part of objdump's report
        elif in_tables and line.startswith("\tDLL Name: "):
            dll = line.split(": ", 1)[1].strip()
            imports.setdefault(dll, [])
        elif in_tables and dll:
            match = ENTRY.match(line)
            if match:
                imports[dll].append(match.group(1))
    return imports, file_format.group(1) if file_format else "unknown"


def read_list(path):
    with open(path, encoding="ascii") as names:
        return {line.strip() for line in names if line.strip()}


def main(argv):
    parser = argparse.ArgumentParser(description="Checks a program's imports against Windows XP's exports.")
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("exe")
    parser.add_argument("lists")
    args = parser.parse_args(argv)

    lists = os.path.abspath(args.lists)
    if not os.path.isdir(lists):
        print(f"FAILED: the Windows XP export lists are missing: {lists} "
              "(the folder windows-exports of the shared folder beside the repository)")
        return 1
    imports, file_format = read_imports(args.objdump, args.exe)
    if file_format != "pei-i386":
        print(f"FAILED: {args.exe} is {file_format}, not a 32-bit program; the lists are 32-bit XP's")
        return 1
    if not imports:
        print(f"FAILED: no import table found in {args.exe}")
        return 1

    problems, checked = [], 0
    print(f"Imports of {os.path.basename(args.exe)} against Windows XP's exports ({lists}):")
    for dll, functions in imports.items():
        list_path = os.path.join(lists, os.path.splitext(dll.lower())[0] + ".txt")
        print(f"  {dll:<14} {len(functions):4d} functions")
        checked += len(functions)
        if not functions:
            problems.append(f"{dll}: no functions read; objdump's report was not understood")
        elif not os.path.isfile(list_path):
            problems.append(f"{dll}: not one of the Windows XP system DLLs listed")
            continue
        exported = read_list(list_path)
        for function in functions:
            if function == "<none>":
                problems.append(f"{dll}: a function imported by ordinal, which the lists cannot confirm")
            elif function not in exported:
                problems.append(f"{dll} {function}: not exported by Windows XP")
    print(f"{len(imports)} DLLs, {checked} functions checked")
    for problem in problems:
        print(f"FAILED: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
