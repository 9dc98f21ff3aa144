#!/usr/bin/env python3
"""Checks the application manifest embedded in a Windows program.

Reads the manifest resource (type 24) out of the program's resource section, prints it, and
checks what the system reads in it: one manifest, as id 1 (the one a program's process uses);
well-formed XML in the asm.v1 assembly; the execution level asInvoker in the trustInfo form that
Windows XP SP2 and later parse (the asm.v2 namespace; no element declaring one namespace twice,
which crashes XP SP2); supportedOS entries for Windows Vista, 7, 8, 8.1 and 10/11; and system-wide
DPI awareness (dpiAware true), since the program scales its layout itself.

Usage: check-manifest.py EXE
"""
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree

RT_MANIFEST = 24
PROCESS_MANIFEST_ID = 1
RESOURCE_DIRECTORY = 2          # index of the resource table among the data directories

ASM_V1 = "urn:schemas-microsoft-com:asm.v1"
ASM_V2 = "urn:schemas-microsoft-com:asm.v2"
COMPATIBILITY = "urn:schemas-microsoft-com:compatibility.v1"
ASM_V3 = "urn:schemas-microsoft-com:asm.v3"
WINDOWS_SETTINGS = "http://schemas.microsoft.com/SMI/2005/WindowsSettings"
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Windows Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}


class FormatError(Exception):
    pass


class Image:
    """The parts of a PE file that lead to its resources."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise FormatError("no MZ header")
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise FormatError("no PE signature")
        sections, optional_size = self.u16(pe + 6), self.u16(pe + 20)
        optional = pe + 24
        magic = self.u16(optional)
        if magic not in (0x10B, 0x20B):
            raise FormatError("unknown optional header 0x%x" % magic)
        directories = optional + (96 if magic == 0x10B else 112)
        count = self.u32(directories - 4)
        self.resources = self.u32(directories + 8 * RESOURCE_DIRECTORY) if count > RESOURCE_DIRECTORY else 0
        table = optional + optional_size
        self.sections = [struct.unpack_from("<IIII", data, table + 40 * i + 8) for i in range(sections)]

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset_of(self, rva):
        for virtual_size, address, raw_size, raw_offset in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw_offset + rva - address
        raise FormatError("address 0x%x lies in no section" % rva)

    def directory(self, rva):
        """[(name or id, rva, is_directory)] of the resource directory at rva."""
        base, at = self.offset_of(self.resources), self.offset_of(rva)
        named, numbered = self.u16(at + 12), self.u16(at + 14)
        entries = []
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
            key = name if not name & 0x80000000 else self.resource_name(base + (name & 0x7FFFFFFF))
            entries.append((key, self.resources + (target & 0x7FFFFFFF), bool(target & 0x80000000)))
        return entries

    def resource_name(self, offset):
        length = self.u16(offset)
        return self.data[offset + 2:offset + 2 + 2 * length].decode("utf-16-le")

    def manifests(self):
        """[(id, language, bytes)] of every manifest resource."""
        if not self.resources:
            return []
        found = []
        for key, rva, is_directory in self.directory(self.resources):
            if key != RT_MANIFEST or not is_directory:
                continue
            for name, names_rva, names_are_directory in self.directory(rva):
                if not names_are_directory:
                    raise FormatError("manifest %s has no language level" % name)
                for language, entry_rva, _ in self.directory(names_rva):
                    at = self.offset_of(entry_rva)
                    data_rva, size = self.u32(at), self.u32(at + 4)
                    start = self.offset_of(data_rva)
                    found.append((name, language, self.data[start:start + size]))
        return found


def repeated_namespace_declarations(text):
    """Start tags that declare one namespace twice, the form that crashes XP SP2's loader."""
    bad = []
    for tag in re.findall(r"<[^!?/][^>]*>", text):
        uris = re.findall(r"""\bxmlns(?::[\w.-]+)?\s*=\s*["']([^"']*)["']""", tag)
        if len(uris) != len(set(uris)):
            bad.append(tag)
    return bad


def check(manifests):
    if not manifests:
        return ["no manifest resource (type 24): Windows Vista and later treat the program as a legacy one"]
    if len(manifests) != 1:
        return ["%d manifest resources; a program has one" % len(manifests)]
    name, _, raw = manifests[0]
    problems = []
    if name != PROCESS_MANIFEST_ID:
        problems.append("the manifest is resource %r; a program's process reads id 1" % (name,))
    try:
        text = raw.decode("utf-8")
        root = ElementTree.fromstring(raw)
    except (UnicodeError, ElementTree.ParseError) as error:
        return problems + ["the manifest is no well-formed UTF-8 XML: %s" % error]
    if root.tag != "{%s}assembly" % ASM_V1 or root.get("manifestVersion") != "1.0":
        problems.append("the root is %s, not an asm.v1 assembly of manifestVersion 1.0" % root.tag)
    for tag in repeated_namespace_declarations(text):
        problems.append("a tag declares one namespace twice: %s" % tag)

    path = "{0}trustInfo/{0}security/{0}requestedPrivileges/{0}requestedExecutionLevel".format("{%s}" % ASM_V2)
    levels = root.findall(path)
    if len(root.findall("{%s}trustInfo" % ASM_V2)) != 1 or len(levels) != 1:
        problems.append("no single requestedExecutionLevel in an asm.v2 trustInfo (the form Windows XP parses)")
    elif levels[0].get("level") != "asInvoker" or levels[0].get("uiAccess", "false") != "false":
        problems.append("execution level %r, uiAccess %r: not asInvoker without UI access"
                        % (levels[0].get("level"), levels[0].get("uiAccess")))
    if any(element.tag.endswith("}trustInfo") and element.tag != "{%s}trustInfo" % ASM_V2 for element in root):
        problems.append("a trustInfo outside the asm.v2 namespace, which Windows XP rejects")

    path = "{0}compatibility/{0}application/{0}supportedOS".format("{%s}" % COMPATIBILITY)
    supported = {(element.get("Id") or "").lower() for element in root.findall(path)}
    for guid, system in SUPPORTED_OS.items():
        if guid in supported:
            print("  supportedOS %s" % system)
        else:
            problems.append("no supportedOS for %s %s" % (system, guid))

    path = "{0}application/{0}windowsSettings/{1}dpiAware".format("{%s}" % ASM_V3, "{%s}" % WINDOWS_SETTINGS)
    aware = [(element.text or "").strip().lower() for element in root.findall(path)]
    if aware != ["true"]:
        problems.append("dpiAware is %r, not one system-wide true: Windows Vista and later would stretch the windows" % aware)
    return problems


def main(argv):
    if len(argv) != 1:
        sys.stderr.write(__doc__)
        return 2
    try:
        with open(argv[0], "rb") as program:
            manifests = Image(program.read()).manifests()
    except (OSError, FormatError, struct.error) as error:
        print("FAILED: cannot read the resources of %s: %s" % (argv[0], error))
        return 1
    for name, language, raw in manifests:
        print("Manifest resource %s (language %s) of %s, %d bytes:" % (name, language, argv[0], len(raw)))
        print(raw.decode("utf-8", "replace").rstrip())
    problems = check(manifests)
    for problem in problems:
        print("FAILED: %s" % problem)
    if not problems:
        print("The manifest asks for asInvoker in the form Windows XP parses, names Windows Vista to 11 and declares DPI awareness.")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
