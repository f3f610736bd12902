#!/usr/bin/env python3
"""Writes the hostile report project files of tests/data/crashers/ (vrp_*) and
the seed corpus of fuzz/corpus/reportproject/. The outputs are kept in the
repository; run this again only to change them.
"""
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CRASHERS = os.path.join(ROOT, "tests", "data", "crashers")
CORPUS = os.path.join(ROOT, "fuzz", "corpus", "reportproject")

V10, V11, V12, V13 = (struct.pack("<f", v) for v in (1.0, 1.1, 1.2, 1.3))
NAN = struct.pack("<I", 0x7FC00000)
INF = struct.pack("<I", 0x7F800000)
NEG_INF = struct.pack("<I", 0xFF800000)


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(bytes(data))


def length(n):
    if n < 0xFF:
        return bytes([n])
    if n < 0xFFFE:
        return b"\xff" + struct.pack("<H", n)
    if n < 0xFFFFFFFF:
        return b"\xff\xff\xff" + struct.pack("<I", n)
    return b"\xff\xff\xff\xff\xff\xff\xff" + struct.pack("<Q", n)


def wide(s):
    units = s.encode("utf-16-le")
    return b"\xff\xfe\xff" + length(len(units) // 2) + units


def ansi(s):
    raw = s.encode("cp1252")
    return length(len(raw)) + raw


def i32(v):
    return struct.pack("<i", v)


def dt(status=0, days=0.0):
    return i32(status) + struct.pack("<d", days)


def title(text=wide):
    return (text("/logos/acme.jpg") + text("Acme") + text("J. Doe") + b"\x01" +
            dt(0, 45000.25) + text("General notes"))


def entry(i, v11, text=wide):
    body = text("/snaps/IR_%04d.QVX" % i) + text("/snaps/IR_%04d.BMP" % i)
    # The stored index differs from the row so a reader that ignores it shows.
    return body + (i32(i + 7) if v11 else b"")


def record(i, v12, text=wide):
    r = b"".join(text(s) for s in ("Motor %d" % i, "Op", "Hall", "Pump", "Hot bearing",
                                    "80 A", "100 A", "80"))
    r += i32(3) + text("Replace bearing")
    # bool8 is true for any non-zero byte; the 8-bit files carry a 7.
    r += dt(0, 45001.0) + dt(1, 0.0) + dt(2, 0.0) + b"\x01\x00" + (b"\x07" if text is ansi else b"\x01")
    r += text("AB") + text("") + text("CD") + i32(1) + i32(-1)
    if v12:
        r += b"".join(text(s) for s in ("21", "5", "40 %", "3 km/h", "0.1 bar")) + i32(2)
    return r


CAPTIONS = ("Company", "Author", "Date", "General Comments", "Inspection Name", "Inspector",
            "Location", "Equipment", "Comment", "Material", "Material \u00b5 Value",
            "Material Condition", "Indoor Temperature", "Outdoor Temperature",
            "Relative Humidity", "Wind Speed", "Pressure Difference")


def project(version, n, text=wide):
    v11 = version in (V11, V12, V13)
    v12 = version in (V12, V13)
    out = version + title(text)
    out += i32(n) + b"".join(entry(i, v11, text) for i in range(n))
    out += i32(n) + b"".join(record(i, v12, text) for i in range(n))
    if version == V13:
        out += b"".join(wide(c) for c in CAPTIONS)
    return out


EXT_SIGNATURE = b"\x89CVX\r\n\x1a\n"


def section(tag, version, data):
    return tag + struct.pack("<HI", version, len(data)) + data


def block(*sections, version=1, count=None):
    """The extension block after the captions: signature, block version, count."""
    n = len(sections) if count is None else count
    return EXT_SIGNATURE + struct.pack("<HI", version, n) + b"".join(sections)


def eqpt_text(s):
    """A text inside the EQPT section: u32 count of UTF-16 units, then the units."""
    units = s.encode("utf-16-le")
    return struct.pack("<I", len(units) // 2) + units


def equipment_item(ident, location, description, rated, status, reason):
    return (eqpt_text(ident) + eqpt_text(location) + eqpt_text(description) + eqpt_text(rated) +
            bytes([status]) + eqpt_text(reason))


def seeds():
    write(CORPUS, "empty_13", project(V13, 0))
    write(CORPUS, "two_13", project(V13, 2))
    write(CORPUS, "one_12", project(V12, 1))
    write(CORPUS, "one_11", project(V11, 1))
    write(CORPUS, "ansi_10", project(V10, 2, text=ansi))
    long_text = V13 + wide("x" * 300) + wide("\u00e9" * 70000) + ansi("\u20ac" * 254)
    long_text += b"\x00" + dt() + wide("") + i32(0) + i32(0) + b"".join(wide(c) for c in CAPTIONS)
    write(CORPUS, "long_texts_13", long_text)
    # Sections of every shape: a tag of this program, a lower-case one no
    # version knows, an empty one, bytes that look like another block.
    write(CORPUS, "two_13_ext", project(V13, 2) + block(
        section(b"FIND", 2, b"\x01\x00\x00\x00" + wide("/snaps/IR_0000.QVX")),
        section(b"zq01", 7, bytes(range(256))),
        section(b"EMPT", 0, b""),
        section(b"NEST", 65535, block(section(b"FIND", 1, b"x")))))
    # An equipment list of two items, one inspection naming each, a previous project.
    write(CORPUS, "two_13_equipment", project(V13, 2) + block(
        section(b"EQPT", 1, eqpt_text("/surveys/2025.vrp") + struct.pack("<I", 2) +
                equipment_item("MCC-1", "Plant room", "Motor control centre", "400 A", 0, "") +
                equipment_item("DB-2", "Roof", "Board \u00b5", "", 1, "inaccessible") +
                struct.pack("<I", 2) +
                eqpt_text("/snaps/IR_0000.QVX") + struct.pack("<I", 0) + eqpt_text("MCC-1") +
                eqpt_text("/snaps/IR_0001.QVX") + struct.pack("<I", 0) + eqpt_text("DB-2"))))
    # An old file with bytes after the captions that are no block: they are ignored.
    write(CORPUS, "one_13_trailing", project(V13, 1) + b"\x00\x00junk" + EXT_SIGNATURE[:7])
    # A block and then bytes after it, also ignored.
    write(CORPUS, "empty_13_ext_trailing", project(V13, 0) +
          block(section(b"LAYT", 1, b"\x02")) + b"\xff\xfe")


def naming(snapshot, bitmap, logo):
    """A sound 1.3 project of one inspection whose paths name the given files."""
    t = (wide(logo) + wide("Acme") + wide("J. Doe") + b"\x01" + dt(0, 45000.25) +
         wide("General notes"))
    return (V13 + t + i32(1) + wide(snapshot) + wide(bitmap) + i32(0) + i32(1) +
            record(0, True) + b"".join(wide(c) for c in CAPTIONS))


def crashers():
    good = project(V13, 1)
    # Offset of the title date: version, three texts, the bool.
    title_date = 4 + len(wide("/logos/acme.jpg") + wide("Acme") + wide("J. Doe")) + 1
    entries_at = 4 + len(title())
    records_at = entries_at + 4 + len(entry(0, True))
    # Offset of inspectedDate inside record 0: eight texts, the priority, the fault text.
    record_date = len(record(0, True)) - len(record(0, True).split(wide("Replace bearing"))[1])
    files = {
        "vrp_empty": b"",
        "vrp_version_only": V13,
        "vrp_version_cut": V13[:3],
        # Length escapes naming far more characters than the file holds.
        "vrp_text_u16_length_past_end": V13 + b"\xff\xfe\xff\xff" + struct.pack("<H", 5000) +
        b"a\x00",
        "vrp_text_u32_length_absurd": V13 + b"\xff\xfe\xff\xff\xff\xff" +
        struct.pack("<I", 0xFFFFFFF0) + b"a\x00",
        "vrp_text_u64_length_absurd": V13 + b"\xff\xfe\xff\xff\xff\xff\xff\xff\xff\xff" +
        struct.pack("<Q", 0xFFFFFFFFFFFFFFF0),
        "vrp_ansi_u64_length_absurd": V13 + b"\xff\xff\xff\xff\xff\xff\xff" +
        struct.pack("<Q", 1 << 62),
        "vrp_text_prefix_cut": V13 + b"\xff\xfe",
        "vrp_text_mark_then_end": V13 + b"\xff\xfe\xff",
        # Counts of 2^31 - 1 and -2^31 over a short file.
        "vrp_entry_count_2p31": good[:entries_at] + i32(0x7FFFFFFF) + good[entries_at + 4:],
        "vrp_entry_count_negative": good[:entries_at] + struct.pack("<I", 0x80000000) +
        good[entries_at + 4:],
        "vrp_record_count_2p31": good[:records_at] + i32(0x7FFFFFFF) + good[records_at + 4:],
        "vrp_record_count_negative": good[:records_at] + i32(-1) + good[records_at + 4:],
        # One more than the cap of 100,000 inspections, in a file of a few hundred bytes.
        "vrp_entry_count_over_cap": good[:entries_at] + i32(100001) + good[entries_at + 4:],
        "vrp_record_count_over_cap": good[:records_at] + i32(100001) + good[records_at + 4:],
        # Counts under the cap that the few hundred bytes after them cannot hold.
        "vrp_entry_count_past_end": good[:entries_at] + i32(50000) + good[entries_at + 4:],
        "vrp_record_count_past_end": good[:records_at] + i32(50000) + good[records_at + 4:],
        # A title text claiming 2^30 characters (2 GB) and a logo path of 2^31 - 1.
        "vrp_text_u32_length_1g": V13 + b"\xff\xfe\xff\xff\xff\xff" +
        struct.pack("<I", 1 << 30) + b"a\x00" * 8,
        "vrp_logo_length_2g": V13 + b"\xff\xfe\xff\xff\xff\xff" + struct.pack("<I", 0x7FFFFFFF),
        # Sound files whose paths name what no reader may open as a file: a device that
        # never ends and folders. The report refuses each by its type, without reading.
        "vrp_snapshot_dev_zero": naming("/dev/zero", "/dev/zero", ""),
        "vrp_logo_dev_zero": naming("/nonexistent/IR_0000.QVX", "/nonexistent/IR_0000.BMP",
                                    "/dev/zero"),
        "vrp_snapshot_and_logo_folders": naming("/tmp", "/", "/"),
        "vrp_ends_inside_title_date": good[:title_date + 7],
        "vrp_ends_inside_record_date": good[:records_at + 4 + record_date + 7],
        "vrp_ends_inside_captions": good[:-5],
        # A NaN mark reads as 1.0: the thumbnail index becomes a huge record count.
        "vrp_version_nan": NAN + title() + i32(1) + entry(0x7FFFFFF0, True) + i32(0),
        # +Inf reads as 1.3, so a 1.0 body ends early; -Inf as 1.0.
        "vrp_version_inf": INF + project(V10, 1)[4:],
        "vrp_version_neg_inf": NEG_INF + title() + i32(1) + entry(0x7FFFFFF0, True) + i32(0),
    }
    # Malformed extension blocks after a sound 1.3 project.
    ext = {
        "vrp_ext_signature_only": EXT_SIGNATURE,
        "vrp_ext_version_cut": EXT_SIGNATURE + b"\x01",
        "vrp_ext_version_2": block(section(b"FIND", 1, b"x"), version=2),
        "vrp_ext_version_0": block(version=0),
        "vrp_ext_count_cut": EXT_SIGNATURE + b"\x01\x00\x01\x00",
        "vrp_ext_count_over_cap": block(count=257) + section(b"FIND", 1, b"") * 3,
        "vrp_ext_count_past_end": block(section(b"FIND", 1, b"x"), count=100),
        "vrp_ext_section_header_cut": block(count=1) + b"FIND\x01\x00\x05",
        "vrp_ext_tag_not_alnum": block(section(b"FI\x00D", 1, b"x")),
        "vrp_ext_tag_space": block(section(b"FIN ", 1, b"x")),
        "vrp_ext_tag_twice": block(section(b"FIND", 1, b"a"), section(b"FIND", 2, b"b")),
        "vrp_ext_length_over_cap": block(count=1) + b"FIND\x01\x00" + struct.pack("<I", 0xFFFFFFFF),
        "vrp_ext_length_past_end": block(count=1) + b"FIND\x01\x00" + struct.pack("<I", 1000) +
        b"abc",
        "vrp_ext_second_section_cut": block(section(b"FIND", 1, b"abc"), section(b"LAYT", 1,
                                                                                 b"xyz"))[:-1],
    }
    files.update({name: good + data for name, data in ext.items()})
    for name, data in files.items():
        write(CRASHERS, name, data)


if __name__ == "__main__":
    seeds()
    crashers()
