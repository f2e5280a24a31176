#!/usr/bin/env python3
"""Chunk surgery on PNG files for the fixture set (see make_png_fixtures.sh).

    depth FILE                       print the IHDR bit depth
    trns-key IN OUT                  colour key (grey or RGB) = pixel (5, 3)
    trns-palette-bit IN OUT          palette entry 1 fully transparent
    trns-palette-partial IN OUT      several partly transparent entries
    gama IN OUT VALUE                set the gAMA value (times 100000)
    texts IN OUT                     add a tEXt and a zTXt chunk
    split-idat IN OUT                the IDAT data in three chunks
"""
import struct
import subprocess
import sys
import zlib

SIG = b"\x89PNG\r\n\x1a\n"


def read(path):
    data = open(path, "rb").read()
    assert data[:8] == SIG
    chunks, p = [], 8
    while p < len(data):
        n, t = struct.unpack(">I4s", data[p:p + 8])
        chunks.append([t, data[p + 8:p + 8 + n]])
        p += 12 + n
    return chunks


def write(path, chunks):
    out = bytearray(SIG)
    for t, d in chunks:
        out += struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d))
    open(path, "wb").write(out)


def insert_before(chunks, kind, new):
    i = next(i for i, c in enumerate(chunks) if c[0] == kind)
    chunks.insert(i, new)


def header(chunks):
    w, h, depth, ctype = struct.unpack(">IIBB", chunks[0][1][:10])
    return w, h, depth, ctype


def pixel16(path, x, y):
    """The RGBA samples of one pixel, 16 bits each, as ImageMagick reads them."""
    raw = subprocess.run(["/usr/bin/convert", path, "-depth", "16", "-endian", "MSB", "rgba:-"],
                         check=True, capture_output=True).stdout
    w = header(read(path))[0]
    off = (y * w + x) * 8
    return struct.unpack(">4H", raw[off:off + 8])


def main():
    op, args = sys.argv[1], sys.argv[2:]
    chunks = read(args[0])
    w, h, depth, ctype = header(chunks)
    if op == "depth":
        print(depth)
        return
    out = args[1]
    if op == "trns-key":
        rgba = pixel16(args[0], 5, 3)
        scale = lambda v: (v * ((1 << depth) - 1) + 32767) // 65535
        if ctype == 0:
            data = struct.pack(">H", scale(rgba[0]))
        else:
            data = struct.pack(">3H", *(scale(v) for v in rgba[:3]))
        insert_before(chunks, b"IDAT", [b"tRNS", data])
    elif op == "trns-palette-bit":
        insert_before(chunks, b"IDAT", [b"tRNS", bytes([255, 0])])
    elif op == "trns-palette-partial":
        n = len(next(c for c in chunks if c[0] == b"PLTE")[1]) // 3
        insert_before(chunks, b"IDAT", [b"tRNS", bytes([0, 128, 255, 64, 200, 255][:min(n, 6)])])
    elif op == "gama":
        chunks = [c for c in chunks if c[0] != b"gAMA"]
        chunks.insert(1, [b"gAMA", struct.pack(">I", int(args[2]))])
    elif op == "texts":
        insert_before(chunks, b"IEND", [b"tEXt", b"Title\0A rose"])
        insert_before(chunks, b"IEND", [b"zTXt", b"Comment\0\0" + zlib.compress(b"A rose, drawn small. " * 8)])
    elif op == "split-idat":
        data = b"".join(d for t, d in chunks if t == b"IDAT")
        i = next(i for i, c in enumerate(chunks) if c[0] == b"IDAT")
        chunks = [c for c in chunks if c[0] != b"IDAT"]
        a, b = len(data) // 3, 2 * len(data) // 3
        chunks[i:i] = [[b"IDAT", data[:a]], [b"IDAT", data[a:b]], [b"IDAT", data[b:]]]
    else:
        sys.exit("unknown operation " + op)
    write(out, chunks)


if __name__ == "__main__":
    main()
