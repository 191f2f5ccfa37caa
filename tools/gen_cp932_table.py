#!/usr/bin/env python3
"""Writes text/Cp932Table.inc, the code page 932 tables of text/Cp932.cpp.

Run by hand from the repository root when the tables need to change:
    python3 tools/gen_cp932_table.py
The build only compiles the committed output, so it never needs Python.

Decoding comes from Python's 'cp932' codec, which agrees with Windows on every single byte and
every lead/trail pair. Encoding does not: Python picks the NEC-selected IBM rows 0xED/0xEE for
some characters and applies best-fit mappings that do not survive a round trip. Windows
(WideCharToMultiByte with WC_NO_BEST_FIT_CHARS) writes, for a character with several byte
sequences, the JIS X 0208 one, else NEC row 13 (0x87), else the IBM extension (0xFA-0xFC), and
never 0xED/0xEE. Those rows are laid out in exactly that ascending order, so the encode table is
the first byte sequence in code order that decodes to the character, 0xED/0xEE left out.
"""

import os
import sys

DEFAULT_CHAR = 0x30FB  # what Windows gives for a lead byte with no character behind it
LEADS = [b for b in range(0x81, 0xA0)] + [b for b in range(0xE0, 0xFD)]
NEC_SELECTED_IBM_LEADS = (0xED, 0xEE)
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "text", "Cp932Table.inc")


def decode_one(data):
    """The single character Python's codec makes of the bytes, or None."""
    try:
        text = data.decode("cp932")
    except UnicodeDecodeError:
        return None
    return ord(text) if len(text) == 1 else None


def decode_tables():
    """Row 0: the single bytes; row i (1-based): lead LEADS[i-1], indexed by the trail byte."""
    single = []
    for byte in range(256):
        if byte in LEADS:
            single.append(DEFAULT_CHAR)  # never read: a lead byte starts a pair
            continue
        char = decode_one(bytes([byte]))
        assert char is not None, "single byte 0x%02X has no character" % byte
        single.append(char)
    rows = [single]
    for lead in LEADS:
        row = []
        for trail in range(256):
            char = decode_one(bytes([lead, trail])) if trail else None
            row.append(DEFAULT_CHAR if char is None else char)
        rows.append(row)
    return rows


def decodable_codes(rows):
    """(code, character) for every byte sequence that stands for a character, in code order."""
    pairs = []
    for byte in range(256):
        if byte not in LEADS:
            pairs.append((byte, rows[0][byte]))
    for index, lead in enumerate(LEADS, start=1):
        for trail in range(1, 256):
            code = (lead << 8) | trail
            if decode_one(bytes([lead, trail])) is not None:
                pairs.append((code, rows[index][trail]))
    return sorted(pairs)


def encode_map(pairs):
    encode = {}
    for code, char in pairs:
        if (code >> 8) in NEC_SELECTED_IBM_LEADS:
            continue
        encode.setdefault(char, code)
    for code, char in pairs:
        assert char in encode, "U+%04X (0x%04X) has no byte sequence outside 0xED/0xEE" % (char, code)
    return encode


def check_against_python(encode):
    """Every difference from Python's encoder must be one Windows is known to make."""
    nec_selected, best_fit = [], []
    for char in range(0x10000):
        if 0xD800 <= char <= 0xDFFF:
            continue
        try:
            data = chr(char).encode("cp932")
        except UnicodeEncodeError:
            assert char not in encode, "U+%04X: Python cannot encode it" % char
            continue
        code = int.from_bytes(data, "big")
        if decode_one(data) != char:
            best_fit.append(char)
            assert char not in encode
        elif code != encode[char]:
            assert (code >> 8) in NEC_SELECTED_IBM_LEADS, "U+%04X: 0x%04X vs 0x%04X" % (char, code, encode[char])
            nec_selected.append(char)
    print("left out %d best-fit mappings, moved %d characters off 0xED/0xEE" % (len(best_fit), len(nec_selected)),
          file=sys.stderr)


def check_known_choices(encode):
    known = {0x2252: 0x81E0, 0x2160: 0x8754, 0x2170: 0xFA40, 0xFFE2: 0x81CA, 0x2235: 0x81E6,
             0x7E8A: 0xFA5C, 0x0080: 0x80, 0xF8F0: 0xA0, 0xF8F3: 0xFF, 0xE000: 0xF040, 0xE757: 0xF9FC}
    for char, code in known.items():
        assert encode.get(char) == code, "U+%04X -> %s" % (char, hex(encode.get(char, 0)))
    for char in (0x301C, 0x2016, 0x2212, 0x00A5):
        assert char not in encode


def encode_pages(encode):
    """Two-level table: page index per high byte of the character, 0 = nothing encodable."""
    pages = [[0] * 256]
    page_of_high = [0] * 256
    for high in range(256):
        page = [encode.get((high << 8) | low, 0) for low in range(256)]
        if any(page):
            page_of_high[high] = len(pages)
            pages.append(page)
    return page_of_high, pages


def format_array(values, per_line, width):
    lines = []
    for start in range(0, len(values), per_line):
        chunk = values[start:start + per_line]
        lines.append("    " + ",".join("0x%0*X" % (width, value) for value in chunk) + ",")
    return "\n".join(lines)


def format_rows(rows, width):
    return "\n".join("  {\n" + format_array(row, 16, width) + "\n  }," for row in rows)


def main():
    rows = decode_tables()
    encode = encode_map(decodable_codes(rows))
    check_against_python(encode)
    check_known_choices(encode)
    page_of_high, pages = encode_pages(encode)
    row_of_byte = [LEADS.index(b) + 1 if b in LEADS else 0 for b in range(256)]
    with open(OUTPUT, "w", newline="\n") as out:
        out.write("// Code page 932 tables, written by tools/gen_cp932_table.py: do not edit by hand.\n")
        out.write("// clang-format off\n\n")
        out.write("// Decode row of each byte: 0 for a single byte, else the row of the lead byte.\n")
        out.write("constexpr uint8_t kDecodeRowOfByte[256] = {\n%s\n};\n\n" % format_array(row_of_byte, 16, 2))
        out.write("// Row 0: the character of each single byte; other rows: of each trail byte after the lead\n")
        out.write("// (U+30FB where the pair stands for no character).\n")
        out.write("constexpr uint16_t kDecodeRows[%d][256] = {\n%s\n};\n\n" % (len(rows), format_rows(rows, 4)))
        out.write("// Encode page of each high byte of a BMP character; page 0 is empty.\n")
        out.write("constexpr uint8_t kEncodePageOfHigh[256] = {\n%s\n};\n\n" % format_array(page_of_high, 16, 2))
        out.write("// CP932 code of each character of a page (a single byte below 0x100); 0 = not encodable.\n")
        out.write("constexpr uint16_t kEncodePages[%d][256] = {\n%s\n};\n" % (len(pages), format_rows(pages, 4)))
    print("%d decode rows, %d encode pages, %d encodable characters" % (len(rows), len(pages), len(encode)),
          file=sys.stderr)


if __name__ == "__main__":
    main()
