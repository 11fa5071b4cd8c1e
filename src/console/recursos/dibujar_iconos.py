#!/usr/bin/env python3
"""Draws the program's two icons and writes them as .ico files (one 32 x 32 image of
256 colours each): "A", the program's own icon, a window in its wooden frame; "CB", the
console's small icon, a backup box with an arrow into it.

    dibujar_iconos.py OUT_DIR      writes OUT_DIR/a.ico and OUT_DIR/cb.ico
"""
import os
import struct
import sys

LADO = 32


def paleta():
    """256 colours: the 16 classic ones, a 6 x 6 x 6 cube and a ramp of greys."""
    clasicos = [
        (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
        (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
        (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
        (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
    ]
    cubo = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    grises = [(8 + i * 10, 8 + i * 10, 8 + i * 10) for i in range(24)]
    colores = clasicos + cubo + grises
    assert len(colores) == 256
    return colores


PALETA = paleta()


def indice(rgb):
    """The palette entry nearest to a colour."""
    r, g, b = rgb
    return min(range(256), key=lambda i: (PALETA[i][0] - r) ** 2 + (PALETA[i][1] - g) ** 2
               + (PALETA[i][2] - b) ** 2)


class Lienzo:
    """32 x 32 palette indices, None where the icon is transparent; row 0 is the top."""

    def __init__(self):
        self.px = [[None] * LADO for _ in range(LADO)]

    def punto(self, x, y, rgb):
        if 0 <= x < LADO and 0 <= y < LADO:
            self.px[y][x] = indice(rgb)

    def rect(self, x0, y0, x1, y1, rgb):
        """Filled rectangle, both corners included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.punto(x, y, rgb)

    def marco(self, x0, y0, x1, y1, rgb):
        for x in range(x0, x1 + 1):
            self.punto(x, y0, rgb)
            self.punto(x, y1, rgb)
        for y in range(y0, y1 + 1):
            self.punto(x0, y, rgb)
            self.punto(x1, y, rgb)


MADERA = (204, 153, 102)
MADERA_OSCURA = (153, 102, 51)
CONTORNO = (51, 51, 0)
VIDRIO = (153, 204, 255)
VIDRIO_CLARO = (204, 255, 255)
BLANCO = (255, 255, 255)
CAJA = (255, 204, 102)
CAJA_OSCURA = (204, 153, 51)
VERDE = (0, 153, 51)
VERDE_OSCURO = (0, 102, 0)


def ventana_de_madera(c, x0, y0, x1, y1):
    """A two-light window: wooden frame, a mullion, glass with a glint."""
    c.rect(x0, y0, x1, y1, MADERA)
    c.marco(x0, y0, x1, y1, CONTORNO)
    medio = (x0 + x1) // 2
    for (a, b) in ((x0 + 3, medio - 1), (medio + 2, x1 - 3)):
        c.rect(a, y0 + 3, b, y1 - 3, VIDRIO)
        c.marco(a - 1, y0 + 2, b + 1, y1 - 2, MADERA_OSCURA)
        for k in range(4):
            c.punto(a + 1 + k, y0 + 7 - k, VIDRIO_CLARO)
            c.punto(a + 2 + k, y0 + 7 - k, BLANCO)


def icono_programa():
    c = Lienzo()
    ventana_de_madera(c, 2, 2, 29, 29)
    # sill
    c.rect(0, 27, 31, 30, MADERA_OSCURA)
    c.marco(0, 27, 31, 30, CONTORNO)
    return c


def icono_consola():
    c = Lienzo()
    # box
    c.rect(3, 14, 28, 29, CAJA)
    c.rect(3, 14, 28, 17, CAJA_OSCURA)
    c.marco(3, 14, 28, 29, CONTORNO)
    c.rect(12, 21, 19, 23, CONTORNO)
    # arrow into the box
    c.rect(13, 1, 18, 10, VERDE)
    for k in range(7):
        c.rect(9 + k, 10 + k, 22 - k, 10 + k, VERDE)
    c.marco(13, 1, 18, 1, VERDE_OSCURO)
    for y in range(1, 10):
        c.punto(12, y, VERDE_OSCURO)
        c.punto(19, y, VERDE_OSCURO)
    return c


def ico(lienzo):
    """The .ico bytes: directory, one entry, BITMAPINFOHEADER, palette, XOR and AND masks."""
    filas_xor = []
    filas_and = []
    for y in range(LADO - 1, -1, -1):  # bottom-up
        fila = lienzo.px[y]
        filas_xor.append(bytes(0 if p is None else p for p in fila))
        bits = 0
        for x, p in enumerate(fila):
            if p is None:
                bits |= 1 << (31 - x)
        filas_and.append(struct.pack(">I", bits))  # 32 pixels fill the 4-byte row exactly
    xor = b"".join(filas_xor)
    mascara = b"".join(filas_and)
    colores = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETA)
    cabecera = struct.pack("<IiiHHIIiiII", 40, LADO, LADO * 2, 1, 8, 0,
                           len(xor) + len(mascara), 0, 0, 256, 0)
    imagen = cabecera + colores + xor + mascara
    directorio = struct.pack("<HHH", 0, 1, 1)
    entrada = struct.pack("<BBBBHHII", LADO, LADO, 0, 0, 1, 8, len(imagen), 6 + 16)
    return directorio + entrada + imagen


def main():
    if len(sys.argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    os.makedirs(sys.argv[1], exist_ok=True)
    for nombre, lienzo in (("a.ico", icono_programa()), ("cb.ico", icono_consola())):
        with open(os.path.join(sys.argv[1], nombre), "wb") as f:
            f.write(ico(lienzo))
    return 0


if __name__ == "__main__":
    sys.exit(main())
