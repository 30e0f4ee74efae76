#!/usr/bin/env python3
"""Checks the built VARNEK.DLL, or varnek.exe, as Windows sees it.

Usage: check_image.py PATH/VARNEK.DLL|PATH/varnek.exe [--version 1.03]

VARNEK.DLL must be a 32-bit i386 PE DLL exporting exactly the seventeen
plug-in functions under their plain names; varnek.exe a 32-bit i386 PE
console program. Both must import only Windows system DLLs (no runtime
DLLs of the compiler), have ASLR and DEP enabled (and relocations to make
ASLR work), and carry a version resource with the product's version in a
Japanese and an English block. Which of the two a file is, its name says.
Prints one line per check and "N passed, N failed"; exits 1 when a check
failed.
"""

import os
import re
import struct
import sys

from check_results import report

EXPORTS = {
    "GetVersionText", "GetMenuName", "Open", "Close", "GetLogType", "GetFieldText",
    "MoveNext", "Seek", "IsEOF", "ListText", "GetText", "CanUpdate", "Update",
    "GetCreateFileType", "Create", "WriteText", "CClose",
}
# What the plug-in needs of Windows, and the C runtime every Windows has;
# the command reads its command line as UTF-16 through SHELL32.
SYSTEM_DLLS = {"KERNEL32.DLL", "USER32.DLL", "COMDLG32.DLL", "MSVCRT.DLL"}
COMMAND_SYSTEM_DLLS = SYSTEM_DLLS | {"SHELL32.DLL"}

MACHINE_I386 = 0x014C
FILE_EXECUTABLE_IMAGE = 0x0002
FILE_DLL = 0x2000
SUBSYSTEM_WINDOWS_CUI = 3
PE32_MAGIC = 0x010B
DYNAMIC_BASE = 0x0040
NX_COMPAT = 0x0100
DIR_EXPORT, DIR_IMPORT, DIR_RESOURCE, DIR_BASERELOC, DIR_DELAY_IMPORT = 0, 1, 2, 5, 13
RT_VERSION = 16
FIXED_INFO_SIGNATURE = 0xFEEF04BD


class PeFile:
    """The parts of a PE32 image the checks read, addressed by RVA."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, sections, _, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        if self.magic != PE32_MAGIC:
            self.subsystem = 0
            self.dll_characteristics = 0
            self.directories = []
        else:
            self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data,
                                                                          optional + 68)
            count = struct.unpack_from("<I", data, optional + 92)[0]
            self.directories = [struct.unpack_from("<II", data, optional + 96 + 8 * i)
                                for i in range(min(count, 16))]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            (virtual_size, address, raw_size, raw_pointer) = struct.unpack_from(
                "<IIII", data, table + 40 * i + 8)
            self.sections.append((address, max(virtual_size, raw_size), raw_pointer, raw_size))

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def offset(self, rva):
        for address, size, raw_pointer, raw_size in self.sections:
            if address <= rva < address + size and rva - address < raw_size:
                return raw_pointer + rva - address
        raise ValueError("RVA 0x%x is in no section" % rva)

    def u16(self, rva):
        return struct.unpack_from("<H", self.data, self.offset(rva))[0]

    def u32(self, rva):
        return struct.unpack_from("<I", self.data, self.offset(rva))[0]

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("latin-1")

    def bytes(self, rva, size):
        start = self.offset(rva)
        return self.data[start:start + size]


def exported_names(pe):
    rva, size = pe.directory(DIR_EXPORT)
    if rva == 0:
        return [], 0, []
    functions, names = pe.u32(rva + 20), pe.u32(rva + 24)
    functions_rva, names_rva = pe.u32(rva + 28), pe.u32(rva + 32)
    forwarded = [i for i in range(functions)
                 if rva <= pe.u32(functions_rva + 4 * i) < rva + size]
    return [pe.text(pe.u32(names_rva + 4 * i)) for i in range(names)], functions, forwarded


def imported_dlls(pe, directory):
    rva, _ = pe.directory(directory)
    dlls = []
    while rva:
        name = pe.u32(rva + (12 if directory == DIR_IMPORT else 4))
        if name == 0:
            break
        dlls.append(pe.text(name))
        rva += 20 if directory == DIR_IMPORT else 32
    return dlls


def version_resource(pe):
    """The raw VS_VERSIONINFO bytes of the first RT_VERSION resource."""
    root, _ = pe.directory(DIR_RESOURCE)
    if root == 0:
        return None

    def entries(directory):
        named, numbered = pe.u16(directory + 12), pe.u16(directory + 14)
        for i in range(named + numbered):
            yield pe.u32(directory + 16 + 8 * i), pe.u32(directory + 20 + 8 * i)

    def first_leaf(offset):
        while offset & 0x80000000:
            subdirectory = root + (offset & 0x7FFFFFFF)
            offset = next(entries(subdirectory))[1]
        data_rva, size = pe.u32(root + offset), pe.u32(root + offset + 4)
        return pe.bytes(data_rva, size)

    for identifier, offset in entries(root):
        if identifier == RT_VERSION:
            return first_leaf(offset)
    return None


def version_block(data, start):
    """One block of a version resource: (key, value bytes, is text, children)."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, start)
    end = start + length
    key_start = start + 6
    key_end = key_start
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[key_start:key_end].decode("utf-16-le")
    value_start = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if is_text else value_length
    value = data[value_start:value_start + value_size]
    children = []
    child = (value_start + value_size + 3) & ~3
    while child < end:
        block = version_block(data, child)
        children.append(block[:4])
        child = (child + block[4] + 3) & ~3
    return key, value, is_text, children, length


def text_value(value):
    return value.decode("utf-16-le").rstrip("\0")


def project_version():
    top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "CMakeLists.txt")
    with open(top, encoding="utf-8") as cmake:
        match = re.search(r"project\(\s*\w+\s+VERSION\s+([0-9.]+)", cmake.read())
    return match.group(1) if match else "1.03"


def check(path, version):
    results = []

    def expect(ok, what):
        results.append((bool(ok), what))

    with open(path, "rb") as image:
        pe = PeFile(image.read())
    command = path.lower().endswith(".exe")

    expect(pe.machine == MACHINE_I386, "machine is i386 (0x%04x)" % pe.machine)
    expect(pe.magic == PE32_MAGIC, "optional header is PE32 (0x%04x)" % pe.magic)
    if command:
        expect(pe.characteristics & FILE_EXECUTABLE_IMAGE and not pe.characteristics & FILE_DLL,
               "the image is a program")
        expect(pe.subsystem == SUBSYSTEM_WINDOWS_CUI,
               "it runs in a console (subsystem %d)" % pe.subsystem)
    else:
        expect(pe.characteristics & FILE_DLL, "the image is a DLL")
    expect(pe.dll_characteristics & DYNAMIC_BASE, "DllCharacteristics has DYNAMIC_BASE")
    expect(pe.dll_characteristics & NX_COMPAT, "DllCharacteristics has NX_COMPAT")
    expect(pe.directory(DIR_BASERELOC)[1] > 0, "it carries base relocations")

    if not command:
        names, functions, forwarded = exported_names(pe)
        expect(sorted(names) == sorted(EXPORTS) and functions == len(EXPORTS),
               "exports exactly the seventeen functions, undecorated: %s"
               % ", ".join(sorted(set(names) ^ EXPORTS) or ["all present"]))
        expect(not forwarded, "no export is forwarded")

    dlls = imported_dlls(pe, DIR_IMPORT)
    system = COMMAND_SYSTEM_DLLS if command else SYSTEM_DLLS
    others = [dll for dll in dlls if dll.upper() not in system]
    expect(dlls and not others, "imports only system DLLs (%s)" % ", ".join(dlls))
    expect(not imported_dlls(pe, DIR_DELAY_IMPORT), "no delay-loaded DLLs")

    resource = version_resource(pe)
    expect(resource is not None, "carries a VERSIONINFO resource")
    if resource is None:
        return results
    key, fixed, _, children, _ = version_block(resource, 0)
    expect(key == "VS_VERSION_INFO", "the resource is VS_VERSION_INFO")
    major, minor = (int(part) for part in version.split(".")[:2])
    if len(fixed) >= 24:
        signature, _, file_ms, _, product_ms = struct.unpack_from("<IIIII", fixed)
        expect(signature == FIXED_INFO_SIGNATURE, "fixed file info is present")
        expect(file_ms == (major << 16 | minor) and product_ms == file_ms,
               "fixed FILEVERSION and PRODUCTVERSION are %d.%d" % (major, minor))
    else:
        expect(False, "fixed file info is present")

    tables = {}
    translations = []
    for child_key, _, _, grandchildren in children:
        if child_key == "StringFileInfo":
            for table_key, _, _, strings in grandchildren:
                tables[table_key.upper()[:4]] = {name: text_value(value)
                                                 for name, value, _, _ in strings}
        elif child_key == "VarFileInfo":
            for _, value, _, _ in grandchildren:
                translations += [struct.unpack_from("<H", value, i)[0]
                                 for i in range(0, len(value), 4)]
    for language, label in (("0411", "Japanese"), ("0409", "English")):
        strings = tables.get(language)
        expect(strings is not None, "a %s string table (%s)" % (label, language))
        if strings is None:
            continue
        for name, want in (("FileVersion", version), ("ProductVersion", version),
                           ("ProductName", "Varnek")):
            expect(strings.get(name) == want,
                   "%s %s is %r (%r)" % (label, name, want, strings.get(name)))
        description = strings.get("FileDescription", "")
        japanese = any(ord(c) >= 0x3000 for c in description)
        expect(description and japanese == (language == "0411"),
               "%s FileDescription is in %s (%r)" % (label, label, description))
        expect(int(language, 16) in translations, "Translation lists %s" % language)
    return results


def main(arguments):
    version = project_version()
    if "--version" in arguments:
        at = arguments.index("--version")
        version = arguments[at + 1]
        del arguments[at:at + 2]
    if len(arguments) != 1:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    try:
        results = check(arguments[0], version)
    except (OSError, ValueError, struct.error, IndexError) as error:
        results = [(False, "%s is a readable PE image: %s" % (arguments[0], error))]
    return report(results)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
