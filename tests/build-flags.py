#!/usr/bin/env python3
"""build-flags.py COMPILE_COMMANDS SOURCE_DIR LEVEL SIZE_SOURCE…

How the library's own files are compiled, from the build's
compile_commands.json:
  - the files compiled for size (the SIZE_SOURCE paths, under sim/) are
    there and get -Os, after the build type's level so that it wins;
  - every other file of the library, the evaluators among them, keeps the
    build type's level, LEVEL (for example -O2; "none" when the build type
    has none);
  - every other file of the library reads the one precompiled standard headers'
    file, made once for all the layers.
One line per finding; any finding fails."""
import json
import re
import shlex
import sys

commands, source, expected, sizes = sys.argv[1], sys.argv[2].rstrip("/"), sys.argv[3], sys.argv[4:]
if expected == "none":
    expected = None
entries = json.load(open(commands))
library = {}
for e in entries:
    f = e["file"]
    if f.startswith(source + "/sim/") and re.search(r"(^|[ /])CMakeFiles/korvax_[a-z]+\.dir/", e.get("output", e["command"])):
        library[f[len(source) + 5:]] = shlex.split(e["command"])

findings = []
if len(library) < 40:
    findings.append(f"only {len(library)} files of the library in {commands}")


def last_level(args):
    levels = [a for a in args if re.fullmatch(r"-O[0-3sgz]?|-Ofast", a)]
    return levels[-1] if levels else None


pchs = set()
for f, args in sorted(library.items()):
    level = last_level(args)
    if f in sizes:
        if level != "-Os":
            findings.append(f"{f}: compiled at {level}, not -Os")
    elif level != expected:
        findings.append(f"{f}: compiled at {level}, not at the build type's {expected}")
    included = [args[i + 1] for i, a in enumerate(args[:-1]) if a == "-include"]
    pch = [h for h in included if h.endswith("cmake_pch.hxx")]
    if f in sizes:
        # Precompiled at the other level, the headers would be refused
        # with a warning (an error under -Werror).
        if pch:
            findings.append(f"{f}: compiled for size, yet reads the headers precompiled at {expected}")
    elif not pch:
        findings.append(f"{f}: does not read the precompiled standard headers")
    pchs.update(pch)
for f in sizes:
    if f not in library:
        findings.append(f"{f}: to be compiled for size, but no file of the library")
if len(pchs) > 1:
    findings.append("the standard headers are precompiled more than once: " + " ".join(sorted(pchs)))

for line in findings:
    print(line)
sys.exit(1 if findings else 0)
