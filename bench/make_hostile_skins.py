#!/usr/bin/env python3
"""Writes two skin archives built to cost as much as a few kilobytes can, for measuring that the
program refuses or loads them within its bounds:

  rle_bomb.zip      28 pictures (main.bmp and the 27 button pictures), each a 4096 x 2048 RLE8
                    bitmap whose data is only the end-of-picture mark (2 bytes), stored.
  checkerboard.zip  a shaped skin whose main.bmp is a 2896 x 2896 1-bit checkerboard (one
                    outline rectangle for every second pixel), deflated.
  rle_bomb_3mpx.zip, checkerboard_3mpx.zip  the same with pictures of 3 Mpx, which the skin's
                    budget of pixels lets through on their own.
  largest.zip       the largest skin that loads: a 1920 x 1080 32-bit face with a rounded
                    outline and 27 32-bit buttons that fill the rest of the 3,145,728 pixels.
  busiest.zip       a 2048 x 1536 32-bit face, the whole budget in one picture, with an outline
                    of 98,304 rectangles, just under their limit.

Usage: make_hostile_skins.py OUTDIR
"""
import os
import struct
import sys
import zipfile

BUTTONS = ['tuner', 'usb', 'tapeaux', 'band', 'cd', 'md', 'power', 'option', 'mute', 'nb',
           'repeat', 'random', 'eject', 'auto', 'play', 'stop', 'next', 'prev', 'forward',
           'rewind', 'mini', 'exit', 'volseek', 'volup', 'voldn', 'mode', 'about']
BLACK_MAGENTA = b'\x00\x00\x00\x00\xff\x00\xff\x00'
SKIN_INI = b'[TransparentColor]\r\nMainTransparentColor=$00FF00FF\r\n'


def bmp(bits, w, h, pixels, palette=b'', compression=0):
    offset = 54 + len(palette)
    return (b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset) +
            struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, compression, len(pixels), 0, 0,
                        len(palette) // 4, 0) + palette + pixels)


def rle_bomb(width=4096, height=2048):
    picture = bmp(8, width, height, b'\x00\x01', BLACK_MAGENTA, 1)
    members = [('main.bmp', picture)] + [(b + '.bmp', picture) for b in BUTTONS]
    return members, zipfile.ZIP_STORED


def checkerboard(width=2896, height=2896):
    row_bytes = (width + 31) // 32 * 4
    rows = [(b'\x55' if y % 2 else b'\xaa') * row_bytes for y in range(height)]
    main = bmp(1, width, height, b''.join(rows), BLACK_MAGENTA)
    small = bmp(24, 3, 1, b'\x00' * 12)
    members = [('skin.ini', SKIN_INI), ('main.bmp', main)]
    members += [(b + '.bmp', small) for b in BUTTONS[:10]]
    return members, zipfile.ZIP_DEFLATED


def largest():
    width, height = 1920, 1080
    face = bytearray(b'\x40\x40\x40\x00' * width * height)
    for y in range(height):
        # Corners of radius 60 cut away in magenta.
        dy = max(0, 60 - y, y - (height - 61))
        for x in list(range(60)) + list(range(width - 60, width)):
            dx = max(0, 60 - x, x - (width - 61))
            if dx * dx + dy * dy > 60 * 60:
                face[4 * (y * width + x):4 * (y * width + x) + 3] = b'\xff\x00\xff'
    members = [('skin.ini', SKIN_INI), ('main.bmp', bmp(32, width, height, bytes(face)))]
    left = 3 * 1024 * 1024 - width * height
    side = int((left // 27 // 3) ** 0.5)
    button = bmp(32, 3 * side, side, b'\x80\x80\x80\x00' * 3 * side * side)
    members += [(b + '.bmp', button) for b in BUTTONS]
    return members, zipfile.ZIP_DEFLATED


def busiest():
    width, height = 2048, 1536
    row = bytearray(b'\x40\x40\x40\x00' * width)
    for x in range(0, width, 32):
        row[4 * x:4 * x + 3] = b'\xff\x00\xff'
    members = [('skin.ini', SKIN_INI), ('main.bmp', bmp(32, width, height, bytes(row) * height))]
    members += [('note%d.txt' % k, b'') for k in range(10)]
    return members, zipfile.ZIP_DEFLATED


def write(path, members, method):
    with zipfile.ZipFile(path, 'w', method) as z:
        for name, data in members:
            z.writestr(name, data)


if __name__ == '__main__':
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write(os.path.join(out, 'rle_bomb.zip'), *rle_bomb())
    write(os.path.join(out, 'checkerboard.zip'), *checkerboard())
    write(os.path.join(out, 'rle_bomb_3mpx.zip'), *rle_bomb(2048, 1536))
    write(os.path.join(out, 'checkerboard_3mpx.zip'), *checkerboard(2048, 1536))
    write(os.path.join(out, 'largest.zip'), *largest())
    write(os.path.join(out, 'busiest.zip'), *busiest())
