#!/usr/bin/env python3
"""Writes the icon and bitmaps of the toolkit tests' resources into the folder given."""
import os
import struct
import sys


def cabecera_dib(ancho, alto, bits):
    return struct.pack('<IiiHHIIiiII', 40, ancho, alto, 1, bits, 0, 0, 0, 0, 0, 0)


def filas_24(ancho, alto, color):
    relleno = (4 - (ancho * 3) % 4) % 4
    datos = bytearray()
    for y in range(alto - 1, -1, -1):  # bottom-up
        for x in range(ancho):
            r, g, b = color(x, y)
            datos += bytes((b, g, r))
        datos += b'\0' * relleno
    return bytes(datos)


def bmp(ancho, alto, color):
    pixeles = filas_24(ancho, alto, color)
    dib = cabecera_dib(ancho, alto, 24)
    desplazamiento = 14 + len(dib)
    return struct.pack('<2sIHHI', b'BM', desplazamiento + len(pixeles), 0, 0,
                       desplazamiento) + dib + pixeles


def ico(lado, color):
    xor = bytearray()
    for y in range(lado - 1, -1, -1):
        for x in range(lado):
            r, g, b = color(x, y)
            xor += bytes((b, g, r, 255))
    mascara = b'\0' * (((lado + 31) // 32) * 4 * lado)
    imagen = cabecera_dib(lado, lado * 2, 32) + bytes(xor) + mascara
    return struct.pack('<HHH', 0, 1, 1) + struct.pack(
        '<BBBBHHII', lado, lado, 0, 0, 1, 32, len(imagen), 22) + imagen


def ventana(x, y):
    # A window frame: brown wood around blue glass with a cross bar.
    marco = x < 3 or y < 3 or x > 28 or y > 28 or x in (15, 16) or y in (15, 16)
    return (139, 90, 43) if marco else (120, 180, 230)


def franjas(x, y):
    return [(200, 30, 30), (30, 160, 30), (30, 30, 200), (230, 200, 20)][(x // 16) % 4]


def botones(x, y):
    # Three 16 x 16 images: red square, green circle, blue diagonal.
    n, px, py = x // 16, x % 16, y
    if n == 0:
        return (200, 30, 30) if 2 <= px <= 13 and 2 <= py <= 13 else (255, 255, 255)
    if n == 1:
        return (30, 160, 30) if (px - 7.5) ** 2 + (py - 7.5) ** 2 < 36 else (255, 255, 255)
    return (30, 30, 200) if abs(px - py) < 2 else (255, 255, 255)


def main():
    destino = sys.argv[1]
    os.makedirs(destino, exist_ok=True)
    with open(os.path.join(destino, 'icono.ico'), 'wb') as f:
        f.write(ico(32, ventana))
    with open(os.path.join(destino, 'imagen.bmp'), 'wb') as f:
        f.write(bmp(64, 32, franjas))
    with open(os.path.join(destino, 'barra.bmp'), 'wb') as f:
        f.write(bmp(48, 16, botones))


if __name__ == '__main__':
    main()
