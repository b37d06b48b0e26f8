#!/usr/bin/env python3
"""Checks the packages scripts/package.sh wrote: for each architecture, dist holds
Orvane-<version>-<arch>.zip with exactly Orvane.scr and README.txt; Orvane.scr is a PE
program for that architecture, under 2 MB, stripped, without a path of the build machine,
with an icon, a version resource of that version and a manifest asking for asInvoker; the
README is the install text in Japanese and English.

    python3 scripts/check_package.py [ROOT]     (default: the checkout this file is in)
Prints one line per package and exits non-zero on the first fault found."""
import io
import os
import struct
import sys
import zipfile

MACHINES = {"win64": 0x8664, "win32": 0x014C}
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
MOST_BYTES = 2_000_000


class Pe:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, _, _, _, optional_size = struct.unpack_from("<HHIIIH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (112 if magic == 0x20B else 96)
        self.resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, vsize, rva, rawsize, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode("latin-1"), rva, max(vsize, rawsize), raw))

    def offset(self, rva):
        for _, start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address outside every section")

    def resources(self):
        """{type id: [bytes of each resource of that type]}"""
        base = self.offset(self.resource_rva)

        def entries(at):
            named, ids = struct.unpack_from("<HH", self.data, base + at + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", self.data, base + at + 16 + 8 * i)
                yield name, target

        def leaves(target):
            if target & 0x80000000:
                for _, sub in entries(target & 0x7FFFFFFF):
                    yield from leaves(sub)
            else:
                rva, size = struct.unpack_from("<II", self.data, base + target)
                yield self.data[self.offset(rva):self.offset(rva) + size]

        found = {}
        for name, target in entries(0):
            found[name] = list(leaves(target))
        return found


def check(root, arch, version):
    path = os.path.join(root, "dist", f"Orvane-{version}-{arch}.zip")
    if not os.path.isfile(path):
        return f"{path} is missing"
    with zipfile.ZipFile(path) as z:
        names = sorted(z.namelist())
        if names != ["Orvane.scr", "README.txt"]:
            return f"{path} holds {names}"
        program, readme = z.read("Orvane.scr"), z.read("README.txt").decode("utf-8-sig")
    if len(program) >= MOST_BYTES:
        return f"Orvane.scr is {len(program)} bytes"
    pe = Pe(program)
    if pe.machine != MACHINES[arch]:
        return f"Orvane.scr is for machine {pe.machine:#x}"
    if any(name.startswith((".debug", "/")) for name, *_ in pe.sections):
        return "Orvane.scr keeps debugging sections"
    if root.encode() in program or root.encode("utf-16-le") in program:
        return "Orvane.scr holds the path of the build machine"
    res = pe.resources()
    if not res.get(RT_ICON) or not res.get(RT_GROUP_ICON):
        return "no icon"
    if not any(version.encode("utf-16-le") in v for v in res.get(RT_VERSION, [])):
        return f"no version resource of version {version}"
    major, minor, patch = (int(x) for x in version.split("."))
    fixed = struct.pack("<IIII", 0xFEEF04BD, 0x10000, major << 16 | minor, patch << 16)
    if not any(fixed[:12] in v for v in res.get(RT_VERSION, [])):
        return f"the version resource's numbers are not {version}"
    manifests = res.get(RT_MANIFEST, [])
    if not manifests or b'requestedExecutionLevel level="asInvoker"' not in manifests[0]:
        return "no manifest asking for asInvoker"
    if "インストール" not in readme or "Installing" not in readme or version not in readme:
        return "README.txt is not the install text in Japanese and English"
    return f"ok: {len(program)} bytes, machine {pe.machine:#x}, {len(res[RT_ICON])} icon images"


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), ".."))
    version = open(os.path.join(root, "VERSION")).read().split()[0]
    failed = False
    for arch in MACHINES:
        verdict = check(root, arch, version)
        print(f"Orvane-{version}-{arch}.zip: {verdict}")
        failed = failed or not verdict.startswith("ok")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
