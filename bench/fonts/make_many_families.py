"""Builds the font set of the start-up comparison with many installed families: the standard
test fonts (IPAGothic and DejaVu Sans copied from the machine, and the small generated test
faces, as tests/fonts/make_font_set.py builds them) and COUNT more families, 2,000 by default,
in a private fontconfig set with its own fonts.conf and cache. Usage:

  make_many_families.py OUT [--count COUNT]

Each added family is DejaVu Sans cut down to a few Latin glyphs (space, "A", "a", "B", "b")
and renamed with fontTools: its own file (ManyNNNN.ttf, about 2 KiB) and its own family name,
"Moji Many Family NNNN". fontconfig's cache is built once here (fc-cache), so that building it
is no part of the start-up that bench/peers/startup_vs_bare_qt.py times.

The set is kept when it is already complete for the same count and the same version of this
script (a stamp file in OUT), since building it takes a while; --force builds it anew.
"""

import argparse
import hashlib
import io
import logging
import os
import pathlib
import shutil
import subprocess
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

HERE = pathlib.Path(__file__).resolve().parent
MAKE_FONT_SET = HERE.parent.parent / "tests" / "fonts" / "make_font_set.py"
KEPT_TEXT = " AaBb"


def small_dejavu(path):
    """DejaVu Sans with only the glyphs of KEPT_TEXT, unhinted, as font bytes."""
    # Tables the subsetter does not know (DejaVu's FFTM) are dropped, as they should be.
    logging.getLogger("fontTools.subset").setLevel(logging.ERROR)
    options = subset.Options()
    options.hinting = False
    options.layout_features = []
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6]
    options.notdef_outline = True
    font = TTFont(str(path))
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=KEPT_TEXT)
    subsetter.subset(font)
    buffer = io.BytesIO()
    font.save(buffer)
    return buffer.getvalue()


def renamed(font_bytes, family):
    """The font with every family, full and PostScript name replaced by `family`'s."""
    font = TTFont(io.BytesIO(font_bytes))
    names = font["name"]
    postscript = family.replace(" ", "")
    for record in list(names.names):
        if record.nameID in (1, 4, 16, 21):
            names.setName(family, record.nameID, record.platformID, record.platEncID,
                          record.langID)
        elif record.nameID == 3:
            names.setName(f"{postscript}-Regular", 3, record.platformID, record.platEncID,
                          record.langID)
        elif record.nameID == 6:
            names.setName(f"{postscript}-Regular", 6, record.platformID, record.platEncID,
                          record.langID)
    buffer = io.BytesIO()
    font.save(buffer)
    return buffer.getvalue()


def stamp_text(count):
    script = hashlib.sha256(pathlib.Path(__file__).read_bytes()).hexdigest()
    helper = hashlib.sha256(MAKE_FONT_SET.read_bytes()).hexdigest()
    return f"families {count}\nscript {script}\nstandard set {helper}\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("--count", type=int, default=2000)
    parser.add_argument("--force", action="store_true")
    args = parser.parse_args()
    out = pathlib.Path(args.out).resolve()
    stamp = out / "complete"
    if not args.force and stamp.exists() and stamp.read_text() == stamp_text(args.count):
        print(f"make_many_families.py: {out} is up to date ({args.count} added families)")
        return

    shutil.rmtree(out, ignore_errors=True)
    # The standard set: its fonts, fonts.conf and a first cache (rebuilt below).
    subprocess.run([sys.executable, str(MAKE_FONT_SET), "standard", str(out)], check=True)
    fonts = out / "fonts"
    base = small_dejavu(fonts / "DejaVuSans.ttf")
    width = len(str(args.count))
    for number in range(1, args.count + 1):
        label = str(number).zfill(max(width, 4))
        family = f"Moji Many Family {label}"
        (fonts / f"Many{label}.ttf").write_bytes(renamed(base, family))
    environment = {**os.environ, "FONTCONFIG_FILE": str(out / "fonts.conf")}
    subprocess.run(["fc-cache", "-f", str(fonts)], check=True, env=environment)
    families = subprocess.run(["fc-list", ":", "family"], capture_output=True, text=True,
                              check=True, env=environment).stdout.splitlines()
    stamp.write_text(stamp_text(args.count))
    print(f"make_many_families.py: {out}: {len(set(families))} families "
          f"({args.count} added, {len(base)} bytes each)")


if __name__ == "__main__":
    main()
