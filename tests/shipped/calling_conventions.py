#!/usr/bin/env python3
"""Every function the platform calls must reach it with the right calling
convention. x64 has one convention, so a mismatch hidden by a cast passes
every 64-bit test and crashes only the 32-bit program; GCC does not warn of
it. clang does (-Wcast-calling-convention): this compiles each of our files of
the 32-bit build again with clang for the i686 target, syntax only, with that
warning as the only one and as an error. A cast through void* hides the
convention from clang too, so such double casts are allowed only on
GetProcAddress results, whose type nothing can check.

usage: calling_conventions.py SOURCE_ROOT COMPILE_COMMANDS_JSON"""
import concurrent.futures
import json
import os
import re
import shlex
import subprocess
import sys

KEEP_PREFIXES = ("-I", "-D", "-U", "-isystem", "-std=", "-include")


_cxx_dirs = {}


def cxx_include_dirs(compiler):
    """The MinGW compiler's own C++ library headers, which clang does not find."""
    if compiler not in _cxx_dirs:
        out = subprocess.run([compiler, "-E", "-x", "c++", "-", "-v"], input="",
                             capture_output=True, text=True).stderr
        listed = out.split("#include <...> search starts here:")[1].split("End of search list.")[0]
        _cxx_dirs[compiler] = [d.strip() for d in listed.split("\n") if "/c++" in d]
    return _cxx_dirs[compiler]


def clang_command(entry):
    args = shlex.split(entry["command"]) if "command" in entry else list(entry["arguments"])
    kept, i = [], 1
    while i < len(args):
        a = args[i]
        if a in ("-isystem", "-I", "-D", "-include") and i + 1 < len(args):
            kept += [a, args[i + 1]]
            i += 2
            continue
        if a.startswith(KEEP_PREFIXES):
            kept.append(a)
        i += 1
    cxx = args[0].endswith(("++", "++-posix"))
    library = []
    if cxx:
        library = ["-nostdinc++"] + [x for d in cxx_include_dirs(args[0]) for x in ("-isystem", d)]
    return ["clang++" if cxx else "clang", "--target=i686-w64-mingw32", "-fsyntax-only", "-Wno-everything",
            "-Werror=cast-calling-convention", "-ferror-limit=5"] + library + kept + [entry["file"]]


def check(entry):
    cmd = clang_command(entry)
    run = subprocess.run(cmd, cwd=entry["directory"], capture_output=True, text=True)
    return entry["file"], run.returncode, run.stderr


DOUBLE_CAST = re.compile(r"reinterpret_cast<[^<>]*>\(\s*reinterpret_cast<void\s*\*>\(")


def main():
    root, commands = os.path.realpath(sys.argv[1]), sys.argv[2]
    with open(commands) as f:
        entries = [e for e in json.load(f)
                   if os.path.realpath(e["file"]).startswith(root + os.sep)
                   and "/.deps/" not in e["file"] and e["file"].endswith((".cpp", ".c"))]
    if not entries:
        print("FAIL: no files of ours in %s" % commands)
        return 1
    failures = 0
    # Look the compilers up once, before the workers start.
    for entry in entries:
        clang_command(entry)
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        for name, code, err in pool.map(check, entries):
            if code != 0:
                failures += 1
                print("FAIL: %s\n%s" % (os.path.relpath(name, root), err.strip()))
    for entry in entries:
        with open(entry["file"], encoding="utf-8", errors="replace") as f:
            lines = f.read().split("\n")
            for number, line in enumerate(lines, 1):
                if DOUBLE_CAST.search(line) and "GetProcAddress" not in line + lines[min(number, len(lines) - 1)]:
                    failures += 1
                    print("FAIL: %s:%d: a cast through void* hides the calling convention: %s"
                          % (os.path.relpath(entry["file"], root), number, line.strip()))
    print("%d files checked for casts between calling conventions, %d failing" % (len(entries), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
