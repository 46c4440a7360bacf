#!/usr/bin/env python3
"""Writes the bundled sample scenes, byte by byte.

triangle.tvx is what the exporter produces for a one-triangle scene: a
version-31 file (one light, one camera, one textured material, one group,
three coloured vertices skinned to one bone, two UV sets, one face list, one
bone and a one-second animation), compressed behind the outer version-8
header. brick.png is the 8 x 8 image its material names, so that the scene
is whole wherever it goes (a glTF written from it refers to the image).
Run from this folder: python3 make_samples.py
"""
import struct
import zlib


def i32(v): return struct.pack('<i', v)
def f32(*vs): return b''.join(struct.pack('<f', v) for v in vs)
def text(s): return struct.pack('<h', len(s) + 1) + s.encode('latin-1') + b'\0'


def transform(position=(0, 0, 0), rotation=(0, 0, 0, 1), scale=(1, 1, 1)):
    identity = (1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1)
    return (f32(1, 0, 0) + f32(0, 1, 0) + f32(0, 0, 1) + f32(*position) + f32(*scale)
            + f32(*identity) + f32(*rotation) + f32(0, 0, 0))


def section(records):
    return i32(len(records)) + b''.join(records)


def triangle_v31():
    lights = [text('Sun') + i32(1600) + i32(1) + transform((0, 10, 5), (0, 0, 0, 0))
              + f32(10, 20, 0, 1, 1) + f32(1, 0.95, 0.8, 1) + f32(2, 8)]
    cameras = [text('Camera01') + i32(0) + i32(0) + transform((0, 2, 10), (0, 0, 0, 0))
               + f32(45, 1, 1000)]
    diffuse_map = (i32(0) + i32(1) + i32(0x310000) + f32(0, 0, 0) + f32(1, 1, 1) + f32(0, 0, 0)
                   + text('brick.png') + i32(0) + f32(2, 1))
    materials = [text('Brick') + i32(2) + f32(0.8, 0.3, 0.2, 1) + f32(0.2, 0.2, 0.2, 1)
                 + f32(0, 0, 0, 1) + f32(0.5, 0.5, 0.5, 1) + f32(0, 0, 0, 1) + f32(32, 1)
                 + i32(1) + diffuse_map]
    groups = [text('Triangle') + i32(0) + i32(-1) + transform(rotation=(0, 0, 0, 0))]
    corners = [((-1, 0, 0), (1, 0, 0, 1), (0, 0)),
               ((1, 0, 0), (0, 1, 0, 1), (1, 0)),
               ((0, 2, 0), (0, 0, 1, 1), (0.5, 1))]
    vertices = [f32(*p) + f32(*c) + i32(1) + i32(0) + f32(1) for p, c, _ in corners]
    uv_sets = (i32(2)
               + text('UVSet0') + i32(3) + b''.join(i32(0) + f32(*uv) for _, _, uv in corners) + i32(0)
               + text('UVSet1') + i32(0) + i32(0))
    polygon = (i32(3) + i32(1) + i32(0) + i32(0) + i32(1)
               + b''.join(i32(k) + i32(-1) for k in range(3))
               + b''.join(i32(k) + i32(-1) for k in range(3)))
    face_lists = [i32(1) + polygon]
    bones = [text('Root') + i32(-1) + transform() + f32(1, 1, 1, 1)]
    track = (i32(1) + f32(0, 0, 0, 0)
             + i32(2) + f32(0, 0, 0, 0, 1) + f32(1, 0, 0.70710677, 0, 0.70710677)
             + i32(1) + f32(0, 1, 1, 1))
    animations = [text('Spin') + i32(0) + f32(0, 30, 30) + i32(1) + track]
    trailer = [text('Tarvex Pro 3dsmax 2011 Exporter'), text('v3.0'), text('Tue Dec  8 02:30:00 2026')]

    bodies = [section(lights), section(cameras), section(materials), section(groups),
              section(vertices), section([]), uv_sets, section(face_lists), section(bones),
              section(animations), section(trailer)]
    counts = [1, 1, 1, 1, 3, 0, 2, 1, 1, 1, 3]
    header = [0] * 32
    offset = 128
    for k, body in enumerate(bodies):
        header[4 + 2 * k] = counts[k]
        header[5 + 2 * k] = offset
        offset += len(body)
    header[0:4] = [struct.unpack('<I', b'TVXH')[0], 31, 0x02, offset]
    return header, struct.pack('<32I', *header) + b''.join(bodies)


def compressed(header, inner):
    outer = list(header)
    outer[0:4] = [struct.unpack('<I', b'TVXH')[0], 8, 0x12, len(inner)]
    return struct.pack('<32I', *outer) + zlib.compress(inner)


def brick_png():
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    rows = b''
    for y in range(8):
        rows += b'\0'
        for x in range(8):
            mortar = y % 4 == 3 or (x + (4 if (y // 4) % 2 else 0)) % 8 == 7
            rows += bytes((200, 200, 190)) if mortar else bytes((170, 60, 40))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 8, 8, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(rows, 9)) + chunk(b'IEND', b''))


if __name__ == '__main__':
    with open('brick.png', 'wb') as f:
        f.write(brick_png())
    header, inner = triangle_v31()
    with open('triangle.tvx', 'wb') as f:
        f.write(compressed(header, inner))
