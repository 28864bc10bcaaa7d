"""Checks that every include of src/ points down the layers: each folder includes only the
folders below it, FreeType, fontconfig, ICU and HarfBuzz appear only in platform/, Qt only in window/, cli/,
the raster surface and main.cpp. Prints each include that breaks a rule and exits 1 if any.
Usage: check_layers.py SRC_DIR"""

import pathlib
import re
import sys

# The folders each folder may include (itself always).
BELOW = {
    "model": set(),
    "native": {"model"},
    "platform": {"model", "native"},
    "geometry": {"model", "native", "platform"},
    "report": {"model"},
    "motion": {"model"},
    "display": {"model", "native", "platform", "geometry", "report", "motion"},
    "inspect": {"model", "native", "platform", "geometry", "report", "motion", "display"},
    "window": {"model", "native", "platform", "geometry", "report", "motion", "display", "inspect"},
    "cli": {"model", "native", "platform", "geometry", "report", "motion", "display", "inspect"},
    ".": {"model", "native", "platform", "geometry", "report", "motion", "display", "inspect", "window", "cli"},
}
FONT_LIBRARIES = re.compile(r"^(ft2build\.h|freetype/|fontconfig/|FT_|unicode/|hb\.h|hb-)")
QT = re.compile(r"^Q[A-Za-z]")
INCLUDE = re.compile(r'^\s*#\s*include\s+([<"])([^>"]+)[>"]|^\s*#\s*include\s+(FT_\w+)', re.M)


def problems(src):
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        folder = path.parent.relative_to(src).as_posix()
        for match in INCLUDE.finditer(path.read_text(encoding="utf-8")):
            included = match.group(2) or match.group(3)
            where = f"{path.relative_to(src)}: {included}"
            if FONT_LIBRARIES.match(included) and folder != "platform":
                yield f"{where}: FreeType, fontconfig, ICU and HarfBuzz belong to platform/"
            if QT.match(included) and not (folder in ("window", "cli", ".") or
                                           (folder == "platform" and path.stem.startswith("raster_"))):
                yield f"{where}: Qt belongs to window/, cli/ and the raster surface and canvas"
            if match.group(1) == '"' and "/" in included:
                target = included.split("/")[0]
                if target != folder and target not in BELOW.get(folder, set()):
                    yield f"{where}: {folder}/ may not include {target}/"


def main():
    found = list(problems(pathlib.Path(sys.argv[1])))
    for problem in found:
        print(problem)
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
