#!/usr/bin/env python3
"""Reads a Windows PE file as the loader would, without running it, and checks
what the product promises of it: machine, subsystem, DLL or program, exports,
imports (system DLLs only), resources and, for a shipped file, its size.

usage: pe_table.py FILE --machine i386|amd64 --kind gui|dll
                   [--exports a,b,c] [--resources TYPE:ID,ID-ID;TYPE:ID ...]
                   [--budget BYTES]
Prints what it read; exits 1 with a FAIL line for each broken promise."""
import argparse
import re
import struct
import sys

MACHINES = {"i386": 0x14C, "amd64": 0x8664}
SUBSYSTEMS = {2: "Windows GUI", 3: "Windows console"}
RESOURCE_TYPES = {1: "CURSOR", 2: "BITMAP", 3: "ICON", 4: "MENU", 5: "DIALOG", 6: "STRING",
                  9: "ACCELERATOR", 10: "RCDATA", 12: "GROUP_CURSOR", 14: "GROUP_ICON",
                  16: "VERSION", 24: "MANIFEST"}
# What a player's Windows has: nothing to ship beside the program.
SYSTEM_DLLS = {n.lower() for n in (
    "KERNEL32.dll", "USER32.dll", "GDI32.dll", "ADVAPI32.dll", "SHELL32.dll", "SHLWAPI.dll",
    "ole32.dll", "OLEAUT32.dll", "COMCTL32.dll", "COMDLG32.dll", "gdiplus.dll", "WININET.dll",
    "msvcrt.dll", "MSIMG32.dll", "bcrypt.dll", "CRYPT32.dll", "VERSION.dll", "UxTheme.dll",
    "api-ms-win-crt-runtime-l1-1-0.dll")}


class Pe:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, sections, _, _, _, opt_size, self.characteristics) = \
            struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        magic = struct.unpack_from("<H", data, opt)[0]
        self.pe32plus = magic == 0x20B
        self.subsystem = struct.unpack_from("<H", data, opt + 68)[0]
        dirs = opt + (112 if self.pe32plus else 96)
        count = struct.unpack_from("<I", data, dirs - 4)[0]
        self.dirs = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(count)]
        table = opt + opt_size
        self.sections = []
        for i in range(sections):
            vsize, va, rsize, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((va, max(vsize, rsize), raw))

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError("address 0x%x outside every section" % rva)

    def cstr(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("latin-1")

    def is_dll(self):
        return bool(self.characteristics & 0x2000)

    def exports(self):
        rva, size = self.dirs[0] if self.dirs else (0, 0)
        if not size:
            return []
        at = self.offset(rva)
        names, table = struct.unpack_from("<II", self.data, at + 24)[0], struct.unpack_from("<I", self.data, at + 32)[0]
        return sorted(self.cstr(struct.unpack_from("<I", self.data, self.offset(table) + 4 * i)[0])
                      for i in range(names))

    def imports(self):
        rva, size = self.dirs[1] if len(self.dirs) > 1 else (0, 0)
        found = []
        if not size:
            return found
        at = self.offset(rva)
        while True:
            name = struct.unpack_from("<I", self.data, at + 12)[0]
            if name == 0:
                return found
            found.append(self.cstr(name))
            at += 20

    def resources(self):
        """{type name: set of ids}; named entries keep their names."""
        rva, size = self.dirs[2] if len(self.dirs) > 2 else (0, 0)
        found = {}
        if not size:
            return found
        base = self.offset(rva)

        def entries(at):
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + ids):
                key, child = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
                if key & 0x80000000:
                    p = base + (key & 0x7FFFFFFF)
                    n = struct.unpack_from("<H", self.data, p)[0]
                    key = self.data[p + 2:p + 2 + 2 * n].decode("utf-16-le")
                yield key, child

        self.resource_data = {}
        for kind, child in entries(base):
            label = RESOURCE_TYPES.get(kind, str(kind)) if isinstance(kind, int) else kind
            found[label] = set()
            for rid, lang_dir in entries(base + (child & 0x7FFFFFFF)):
                found[label].add(rid)
                for _, leaf in entries(base + (lang_dir & 0x7FFFFFFF)):
                    data_rva, data_size = struct.unpack_from("<II", self.data, base + leaf)
                    at = self.offset(data_rva)
                    self.resource_data[(label, rid)] = self.data[at:at + data_size]
        return found


def id_set(text):
    ids = set()
    for part in text.split(","):
        if "-" in part:
            lo, hi = part.split("-")
            ids.update(range(int(lo), int(hi) + 1))
        else:
            ids.add(int(part))
    return ids


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("file")
    ap.add_argument("--machine", required=True, choices=MACHINES)
    ap.add_argument("--kind", required=True, choices=("gui", "dll"))
    ap.add_argument("--exports")
    ap.add_argument("--resources", action="append", default=[])
    ap.add_argument("--budget", type=int, help="the most bytes the file may have")
    args = ap.parse_args()

    failures = []
    try:
        with open(args.file, "rb") as f:
            data = f.read()
        pe = Pe(data)
        exports, imports, resources = pe.exports(), pe.imports(), pe.resources()
    except (OSError, ValueError, struct.error) as e:
        print("FAIL: %s: %s" % (args.file, e))
        return 1

    print("file: %s" % args.file)
    print("size: {:,} bytes".format(len(data)))
    print("machine: 0x%04X%s" % (pe.machine, " (PE32+)" if pe.pe32plus else ""))
    print("subsystem: %d %s, %s" % (pe.subsystem, SUBSYSTEMS.get(pe.subsystem, "?"),
                                    "DLL" if pe.is_dll() else "program"))
    print("exports: %s" % " ".join(exports))
    print("imports: %s" % " ".join(imports))
    for kind in sorted(resources):
        print("resources %s: %s" % (kind, " ".join(str(i) for i in sorted(resources[kind], key=str))))

    if pe.machine != MACHINES[args.machine]:
        failures.append("machine 0x%04X, not %s" % (pe.machine, args.machine))
    if (args.machine == "amd64") != pe.pe32plus:
        failures.append("optional header does not match the machine")
    # A DLL runs in its host's process: its subsystem field means nothing.
    if args.kind == "gui" and pe.subsystem != 2:
        failures.append("subsystem %d, not Windows GUI (no console window)" % pe.subsystem)
    if pe.is_dll() != (args.kind == "dll"):
        failures.append("a %s where a %s is due" % ("DLL" if pe.is_dll() else "program", args.kind))
    if args.exports is not None:
        want = sorted(filter(None, args.exports.split(",")))
        if exports != want:
            failures.append("exports %s, not exactly %s" % (exports, want))
    for dll in imports:
        if dll.lower() not in SYSTEM_DLLS:
            failures.append("imports %s, which is not a system DLL" % dll)
    for spec in args.resources:
        kind, ids = spec.split(":")
        missing = id_set(ids) - resources.get(kind, set())
        if missing:
            failures.append("%s resources missing: %s" % (kind, sorted(missing)))

    if args.budget is not None and len(data) > args.budget:
        failures.append("{:,} bytes, {:,} over its budget of {:,}".format(
            len(data), len(data) - args.budget, args.budget))

    # The common controls the manifest asks for must be this machine's.
    manifest = getattr(pe, "resource_data", {}).get(("MANIFEST", 1))
    if manifest is not None:
        want = 'processorArchitecture="%s"' % ("x86" if args.machine == "i386" else "amd64")
        archs = set(re.findall(rb'processorArchitecture="([^"]*)"', manifest))
        print("manifest processor: %s" % " ".join(sorted(a.decode() for a in archs)))
        if archs != {want.split('"')[1].encode()}:
            failures.append("manifest names processor %s, not only %s" % (sorted(archs), want))

    for f in failures:
        print("FAIL: " + f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
