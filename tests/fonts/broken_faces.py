"""Broken variable and Type 1 faces, made from the sound ones of the standard font set, for the
test that every glyph of them draws as the engine can or has no outline: a variable TrueType face
whose fvar, avar, gvar or HVAR data lie (counts past the table, offsets past the end, ranges
upside down, noise), a CFF2 face whose blends lie (too few operands, an unknown vsindex, a
scrambled table), and a Type 1 face cut short in its encrypted part, or with charstrings that
call a missing subroutine, overflow the stack, draw from an empty stack or never end.

write_broken_faces(fonts, out) writes them into `out`, named by what is broken.
"""

import random
import struct

from fontTools.misc import eexec
from fontTools.misc.psCharStrings import T1CharString
from fontTools.ttLib import TTFont
from fontTools.ttLib.tables.DefaultTable import DefaultTable


def with_table(source, tag, change):
    """The font at `source` with table `tag` replaced by change(its bytes)."""
    font = TTFont(str(source), recalcBBoxes=False)
    data = bytearray(font.getTableData(tag)) if tag in font else bytearray()
    table = DefaultTable(tag)
    table.data = bytes(change(data))
    font[tag] = table
    return font


def put(data, offset, fmt, *values):
    struct.pack_into(">" + fmt, data, offset, *values)
    return data


def noise(data, start, every, seed):
    generator = random.Random(seed)
    for i in range(start, len(data), every):
        data[i] = generator.randrange(256)
    return data


def fvar_axis_range_upside_down(data):
    # The first axis record: tag, then min, default, max as 16.16.
    axes = struct.unpack_from(">H", data, 4)[0]
    return put(data, axes + 4, "iii", 900 << 16, 300 << 16, 100 << 16)


def avar_lying(count):
    """An avar table whose one segment map claims `count` pairs, of which two are there and go
    backwards."""
    return lambda _: struct.pack(">HHHHH", 1, 0, 0, 1, count) + struct.pack(">hhhh", 0x4000, -0x4000, -0x4000, 0x4000)


def gvar_tuple_count_huge(data):
    # The first glyph's variation data starts at the data array; its tuple count is its first word.
    flags = struct.unpack_from(">H", data, 14)[0]
    glyphs = struct.unpack_from(">H", data, 12)[0]
    array = struct.unpack_from(">I", data, 16)[0]
    offsets = [struct.unpack_from(">I" if flags & 1 else ">H", data, 20 + i * (4 if flags & 1 else 2))[0]
               for i in range(glyphs + 1)]
    first = array + offsets[1] * (1 if flags & 1 else 2)  # glyph 1: "A"
    return put(data, first, "H", 0x0FFF) if first + 2 <= len(data) else data


def truetype_breaks():
    return {
        "fvar-axis-count": ("fvar", lambda d: put(d, 8, "H", 0xFFFF)),
        "fvar-axis-size": ("fvar", lambda d: put(d, 10, "H", 2)),
        "fvar-instance-size": ("fvar", lambda d: put(d, 14, "H", 0xFFFF)),
        "fvar-axis-range": ("fvar", fvar_axis_range_upside_down),
        "avar-count": ("avar", avar_lying(0x7FFF)),
        "avar-backwards": ("avar", avar_lying(2)),
        "gvar-data-offset": ("gvar", lambda d: put(d, 16, "I", 0xFFFFFF00)),
        "gvar-axis-count": ("gvar", lambda d: put(d, 4, "H", 7)),
        "gvar-shared-tuples": ("gvar", lambda d: put(d, 6, "HI", 0x7FFF, 0xFFFFFFF0)),
        "gvar-tuple-count": ("gvar", gvar_tuple_count_huge),
        "gvar-noise": ("gvar", lambda d: noise(d, 20, 3, 24)),
        "HVAR-store-offset": ("HVAR", lambda d: put(d, 4, "I", 0x7FFFFFF0)),
        "HVAR-noise": ("HVAR", lambda d: noise(d, 4, 2, 25)),
    }


def cff2_with_programs(source, programs):
    font = TTFont(str(source), recalcBBoxes=False)
    charstrings = font["CFF2"].cff.topDictIndex[0].CharStrings
    for name, program in programs.items():
        charstrings[name].program = program
        charstrings[name].bytecode = None  # compiled again from the program
    return font


def cff2_breaks(source):
    return {
        "cff2-blend-operands": cff2_with_programs(
            source, {"A": [10, 20, 30, 5, "blend", "rmoveto", 100, "hlineto"],
                     "O": [2000, "blend", "rmoveto"]}),
        "cff2-vsindex": cff2_with_programs(
            source, {"A": [3, "vsindex", 10, 20, 1, 1, "blend", "rmoveto", 100, "hlineto"],
                     "O": [-1, "vsindex", 10, "hmoveto"]}),
        "cff2-noise": with_table(source, "CFF2", lambda d: noise(d, 5, 7, 26)),
    }


def eexec_parts(data):
    """The clear part through "eexec" and its line end, the encrypted bytes, and what follows
    them (the zeros and cleartomark)."""
    start = data.index(b"eexec") + len(b"eexec")
    while data[start] in b"\r\n":
        start += 1
    end = data.index(b"0000000000", start)
    return data[:start], data[start:end], data[end:]


def with_charstrings(data, programs):
    """The Type 1 font with the charstrings of the glyphs replaced by programs (encrypted with
    the usual four random bytes)."""
    clear, encrypted, tail = eexec_parts(data)
    plain, _ = eexec.decrypt(encrypted, 55665)
    for name, program in programs.items():
        charstring = T1CharString(program=program)
        charstring.compile()
        cipher, _ = eexec.encrypt(b"\0\0\0\0" + charstring.bytecode, 4330)
        head = plain.index(b"/" + name.encode() + b" ")
        length_at = head + len(name) + 2
        length_end = plain.index(b" ", length_at)
        length = int(plain[length_at:length_end])
        body = plain.index(b" ", length_end + 1) + 1  # after "RD " (or "-| ")
        plain = (plain[:length_at] + str(len(cipher)).encode() + plain[length_end:body] + cipher +
                 plain[body + length:])
    encrypted, _ = eexec.encrypt(plain, 55665)
    return clear + encrypted + tail


def type1_breaks(data):
    clear, encrypted, _ = eexec_parts(data)
    return {
        "t1-cut-in-eexec": clear + encrypted[: len(encrypted) * 3 // 5],
        "t1-cut-in-clear": clear[: len(clear) // 2],
        "t1-charstrings": with_charstrings(data, {
            "A": [0, 600, "hsbw", 9999, "callsubr", "endchar"],
            "B": [0, 600, "hsbw"] + list(range(200)) + ["rlineto", "endchar"],
            "C": [0, 600, "hsbw", "rrcurveto", "closepath", "endchar"],
            "D": [0, 600, "hsbw", 100, 100, "rmoveto", 300, 0, "rlineto"],
            "E": [0, 600, "hsbw", 1, 2, 3, 9, 0, "callothersubr", "endchar"],
        }),
    }


def write_broken_faces(fonts, out):
    """Writes every broken face into `out` from the sound ones in `fonts`."""
    out.mkdir(parents=True, exist_ok=True)
    for name, (tag, change) in truetype_breaks().items():
        with_table(fonts / "MojiTestWeight.ttf", tag, change).save(str(out / f"{name}.ttf"))
    for name, font in cff2_breaks(fonts / "MojiTestWeightCFF2.otf").items():
        font.save(str(out / f"{name}.otf"))
    for name, data in type1_breaks((fonts / "NimbusSans-Regular.t1").read_bytes()).items():
        (out / f"{name}.t1").write_bytes(data)
