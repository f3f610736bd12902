#!/usr/bin/env python3
"""Writes the hand-made hostile files of tests/data/crashers/ and the seed corpus
of fuzz/corpus/<target>/. The outputs are kept in the repository; run this again
only to change them. Files found by the fuzzers are added to crashers/ by hand.

Crasher names start with the reader they attack (bmp_, qvx_, tolla_), which is
how the replay programs and tests pick them.
"""
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CRASHERS = os.path.join(ROOT, "tests", "data", "crashers")
CORPUS = os.path.join(ROOT, "fuzz", "corpus")


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(bytes(data))


# --- 24-bit bitmaps -------------------------------------------------------------

def bmp(width, height, pixels=None, gap=b"", info_extra=b"", top_down=False):
    """A 24-bit BMP; pixels are packed rows (3 bytes per pixel, bottom row first)."""
    stride = (width * 3 + 3) & ~3
    rows = abs(height)
    if pixels is None:
        pixels = bytes((x * 7 + y * 13) & 0xFF for y in range(rows) for x in range(width * 3))
    body = b""
    order = range(rows - 1, -1, -1) if top_down else range(rows)
    for y in order:
        row = pixels[y * width * 3:(y + 1) * width * 3]
        body += row + b"\0" * (stride - len(row))
    info_size = 40 + len(info_extra)
    offset = 14 + info_size + len(gap)
    size = offset + len(body)
    head = struct.pack("<2sIHHI", b"BM", size, 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", info_size, width, -rows if top_down else rows, 1, 24, 0,
                       stride * rows, 2835, 2835, 0, 0)
    return bytearray(head + info + info_extra + gap + body)


def patched(data, offset, fmt, value):
    data = bytearray(data)
    struct.pack_into(fmt, data, offset, value)
    return data


def bitmap_inputs():
    base = bmp(3, 2)  # 78 bytes
    crashers = {
        "bmp_empty": b"",
        "bmp_one_byte": b"B",
        "bmp_file_header_only": base[:14],
        "bmp_headers_cut": base[:40],
        "bmp_signature_ba": patched(base, 0, "<2s", b"BA"),
        "bmp_offset_below_54": patched(base, 10, "<I", 20),
        "bmp_offset_beyond_file": patched(base, 10, "<I", 5000),
        "bmp_offset_max": patched(base, 10, "<I", 0xFFFFFFFF),
        "bmp_filesize_below_offset": patched(base, 2, "<I", 30),
        "bmp_filesize_zero": patched(base, 2, "<I", 0),
        "bmp_filesize_absurd": patched(base, 2, "<I", 0xFFFFFFFF),
        "bmp_declared_longer_than_file": patched(base, 2, "<I", 4096),
        "bmp_pixels_one_byte_short": patched(base[:-1], 2, "<I", len(base) - 1),
        "bmp_width_zero": patched(base, 18, "<i", 0),
        "bmp_width_negative": patched(base, 18, "<i", -3),
        "bmp_width_stride_overflow": patched(base, 18, "<i", 0x55555556),
        "bmp_width_huge": patched(base, 18, "<i", 0x7FFFFFFF),
        "bmp_height_zero": patched(base, 22, "<i", 0),
        "bmp_height_int_min": patched(base, 22, "<i", -0x80000000),
        "bmp_height_huge": patched(base, 22, "<i", 0x7FFFFFFF),
        "bmp_pixel_bytes_over_cap": patched(patched(base, 18, "<i", 30000), 22, "<i", 30000),
        "bmp_bitcount_8": patched(bmp(4, 2, gap=b"\0" * 1024), 28, "<H", 8),
        "bmp_bitcount_32": patched(base, 28, "<H", 32),
        "bmp_bitcount_zero": patched(base, 28, "<H", 0),
        "bmp_rle8": patched(patched(base, 28, "<H", 8), 30, "<I", 1),
        "bmp_bitfields": patched(base, 30, "<I", 3),
        "bmp_planes_zero": patched(base, 26, "<H", 0),
        "bmp_core_header_12": patched(base, 14, "<I", 12),
        "bmp_info_header_past_pixels": patched(base, 14, "<I", 200),
        "bmp_info_header_max": patched(base, 14, "<I", 0xFFFFFFFF),
    }
    for name, data in crashers.items():
        write(CRASHERS, name, data)

    seeds = {
        "plain_4x2.bmp": bmp(4, 2),
        "padded_3x2.bmp": bmp(3, 2),
        "padded_5x3.bmp": bmp(5, 3),
        "shrinkable_12x6.bmp": bmp(12, 6),
        "top_down_3x4.bmp": bmp(3, 4, top_down=True),
        "colour_gap_4x2.bmp": bmp(4, 2, gap=bytes(range(16))),
        "info_124_2x2.bmp": bmp(2, 2, info_extra=b"\0" * 84),
        "trailing_bytes_2x2.bmp": bmp(2, 2) + b"\xAB" * 7,
    }
    for name, data in seeds.items():
        write(os.path.join(CORPUS, "bitmapfile"), name, data)


# --- visual photograph files ----------------------------------------------------

def tolla(length=77, magic=b"ZPQ", version=(1, 3), year=2009, day=21, month=3,
          p69=2932, align=(0, 0)):
    data = bytearray(max(length, 77))
    data[0:2] = b"BM"
    data[54:57] = magic
    data[57], data[58] = version
    data[59:62] = bytes([12, 30, 5])
    data[62], data[63] = day, month
    struct.pack_into("<H", data, 64, year)
    data[66] = 100
    struct.pack_into("<HH", data, 67, 2932, p69)
    data[71] = 50
    struct.pack_into("<hh", data, 72, *align)
    data[76] = 7
    return data[:length]


def tolla_inputs():
    crashers = {
        "tolla_empty": b"",
        "tolla_ends_before_magic": tolla(54),
        "tolla_magic_cut": tolla(56),
        "tolla_magic_without_version": tolla(57),
        "tolla_version_zero": tolla(version=(0, 0)),
        "tolla_wrong_magic": tolla(magic=b"ZPR"),
        "tolla_bitmap_only": bmp(4, 4),
    }
    for name, data in crashers.items():
        write(CRASHERS, name, data)

    seeds = {
        "minimal": tolla(),
        "version_only": tolla(59),
        "substitutions": tolla(year=0, day=0, month=0, p69=0x7283),
        "year_3001": tolla(year=3001),
        "align_limits": tolla(align=(64, -64)),
        "align_out_of_range": tolla(align=(32767, -32768)),
        "full_size": tolla(86661),
    }
    for name, data in seeds.items():
        write(os.path.join(CORPUS, "tolla"), name, data)


# --- snapshot records -----------------------------------------------------------

RECORD_SIZE = 154133
HEADER_SIZE = 533


def record_header(**over):
    h = bytearray(HEADER_SIZE)
    struct.pack_into("<I", h, 0, RECORD_SIZE)
    h[4:7] = b"QVX"
    struct.pack_into("<H", h, 7, 3)
    h[9:14] = bytes([10, 20, 30, 15, 6])
    struct.pack_into("<H", h, 14, 2008)
    h[55] = over.get("scale", 10)
    h[56] = 4
    struct.pack_into("<H", h, 57, 2932)
    h[59] = over.get("palette", 1)
    struct.pack_into("<HHHH", h, 60, *over.get("spans", (2900, 3100, 2900, 3100)))
    h[68] = over.get("unit", 0)
    h[69:80] = bytes([100] * 11)
    h[86] = 1
    struct.pack_into("<HHHH", h, 87, *over.get("isotherms", (0, 0, 0, 0)))
    h[95] = over.get("orientation", 0)
    count, xs, ys = over.get("cursors", (2, [10, 300] + [0] * 8, [5, 200] + [0] * 8))
    h[352] = count
    struct.pack_into("<10H", h, 353, *xs)
    struct.pack_into("<10H", h, 373, *ys)
    h[393] = over.get("blend", 0)
    h[395] = 1
    h[523] = over.get("flags_a", 0)
    h[524] = over.get("flags_b", 0)
    struct.pack_into("<hh", h, 529, *over.get("align", (0, 0)))
    return h


def record_pixels(fn):
    out = bytearray()
    for y in range(240):
        for x in range(320):
            out += struct.pack(">H", fn(x, y) & 0xFFFF)
    return out


def record_inputs():
    gradient = record_header() + record_pixels(lambda x, y: 2900 + x // 2 + y // 3)
    hostile_header = record_header(scale=0xEE, palette=255, spans=(65535, 0, 65535, 0),
                                   unit=9, isotherms=(65535, 65535, 65535, 65535),
                                   orientation=200,
                                   cursors=(255, [65535] * 10, [65535] * 10),
                                   blend=255, flags_a=0xFF, flags_b=0xFF,
                                   align=(-32768, 32767))
    for off in (23, 96, 396, 428, 448):  # texts without any terminator
        hostile_header[off:off + 11] = b"\xFF" * 11
    crashers = {
        "qvx_empty": b"",
        "qvx_length_only": struct.pack("<I", RECORD_SIZE),
        "qvx_magic_only": struct.pack("<I", RECORD_SIZE) + b"QVX",
        "qvx_magic_cut": struct.pack("<I", RECORD_SIZE) + b"QV",
        "qvx_wrong_magic": record_header()[:4] + b"QVW" + record_header()[7:],
        "qvx_version_zero": patched(record_header(), 7, "<H", 0),
        "qvx_magic_and_version": record_header()[:9],
        "qvx_header_cut_mid_field": record_header()[:354],
        "qvx_hostile_header": hostile_header,
        "qvx_pixels_cut_mid_value": record_header() + b"\x0B",
        "qvx_all_max_pixels": record_header() + b"\xFF" * (RECORD_SIZE - HEADER_SIZE),
        "qvx_longer_than_record": gradient + b"\xEE" * 64,
    }
    for name, data in crashers.items():
        write(CRASHERS, name, data)

    seeds = {
        "gradient_full": gradient,
        "header_only": record_header(),
        "flat_scale_100": record_header(scale=100) + record_pixels(lambda x, y: 30000),
    }
    for name, data in seeds.items():
        write(os.path.join(CORPUS, "record"), name, data)


if __name__ == "__main__":
    bitmap_inputs()
    tolla_inputs()
    record_inputs()
