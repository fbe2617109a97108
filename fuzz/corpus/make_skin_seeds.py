#!/usr/bin/env python3
"""Writes the seed inputs of the skin archive and skin picture fuzz targets (run from fuzz/)."""
import io
import struct
import zipfile


def bmp(bits, w, h, pixels, palette=b'', compression=0):
    offset = 54 + len(palette)
    return (b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset) +
            struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, compression, len(pixels), 0, 0,
                        len(palette) // 4, 0) + palette + pixels)


black_magenta = b'\x00\x00\x00\x00\xff\x00\xff\x00'
seeds = {
    'fuzz_bmp_decoder/rgb24': bmp(24, 2, 2, b'\xff\x00\xff\x00\x00\x00\x00\x00' * 2),
    'fuzz_bmp_decoder/pal8': bmp(8, 3, 1, b'\x00\x01\x00\x00', black_magenta),
    'fuzz_bmp_decoder/rle8': bmp(8, 3, 2, b'\x02\x01\x00\x00\x00\x03\x01\x00\x01\x00\x00\x01',
                                 black_magenta, 1),
    'fuzz_bmp_decoder/rle4': bmp(4, 5, 1, b'\x05\x12\x00\x02\x01\x00\x00\x01', black_magenta, 2),
}
# Hostile pictures: 8 Mpx described by nothing but the end-of-picture mark, and a 1-bit
# checkerboard whose outline would need 100,352 rectangles.
seeds['fuzz_bmp_decoder/rle8_empty_8mpx'] = bmp(8, 4096, 2048, b'\x00\x01', black_magenta, 1)
seeds['fuzz_bmp_decoder/checkered_1bit'] = bmp(
    1, 448, 448, b''.join((b'\x55' if y % 2 else b'\xaa') * 56 for y in range(448)),
    black_magenta)
# A skin archive of 28 such pictures, stored.
bomb = io.BytesIO()
with zipfile.ZipFile(bomb, 'w', zipfile.ZIP_STORED) as z:
    for name in ['main'] + ['b%02d' % k for k in range(27)]:
        z.writestr(name + '.bmp', seeds['fuzz_bmp_decoder/rle8_empty_8mpx'])
seeds['fuzz_zip_reader/rle_bomb'] = bomb.getvalue()
for i, method in enumerate([zipfile.ZIP_STORED, zipfile.ZIP_DEFLATED]):
    archive = io.BytesIO()
    with zipfile.ZipFile(archive, 'w', method) as z:
        z.comment = b'seed'
        z.writestr('skins/a/skin.ini', '[Text]\nAuthor=x\n' * 3)
        z.writestr('main.bmp', b'BM' + bytes(range(256)) * 4)
    seeds[f'fuzz_zip_reader/seed{i}'] = archive.getvalue()
for name, data in seeds.items():
    with open('corpus/' + name, 'wb') as f:
        f.write(data)
