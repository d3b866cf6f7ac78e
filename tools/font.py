#!/usr/bin/python3
"""Renders text with PIL for the media generator.

  font.py font <out.bmp> <ttf> <pixel size>
      The GUI font as an Irrlicht bitmap font: one box per character from
      U+0020 to U+00FF, in order. The engine finds a box by its upper-left
      pixel (the colour of pixel (0,0)) and the pixel just past its lower
      right corner (the colour of pixel (1,0)); pixels of the background
      colour (pixel (2,0)) become transparent. Glyphs are white with their
      coverage as alpha, so the GUI can tint them with its text colour.

  font.py text <out.png> <ttf> <pixel size> <text>
      One line of text as a grey-scale coverage mask (for the title picture).
"""
import sys
from PIL import Image, ImageDraw, ImageFont

UPPER_LEFT = (255, 255, 0, 255)
LOWER_RIGHT = (255, 0, 0, 255)
BACKGROUND = (0, 0, 255, 255)
FIRST, LAST = 0x20, 0xFF
WIDTH = 256


def glyph_cell(font, code, height):
    """The glyph of one character in a box of its advance width. The box has
    one blank line on top, where its upper-left marker goes."""
    ch = chr(code)
    printable = not (0x7F <= code <= 0x9F)
    width = max(3, round(font.getlength(ch if printable else " ")))
    cell = Image.new("L", (width, height + 1), 0)
    if printable:
        ImageDraw.Draw(cell).text((0, 1), ch, font=font, fill=255)
    return cell


def write_font(out, ttf, size):
    font = ImageFont.truetype(ttf, size)
    ascent, descent = font.getmetrics()
    cells = [glyph_cell(font, c, ascent + descent) for c in range(FIRST, LAST + 1)]
    height = cells[0].size[1]

    # Rows of boxes, one free column after each box and one free line under
    # each row: the lower-right markers sit there.
    places, x, y = [], 0, 0
    for cell in cells:
        w = cell.size[0]
        if x + w + 1 > WIDTH:
            x, y = 0, y + height + 1
        places.append((x, y))
        x += w + 1
    rows = y + height + 1
    size_px = 1
    while size_px < rows:
        size_px *= 2

    img = Image.new("RGBA", (WIDTH, size_px), BACKGROUND)
    for cell, (cx, cy) in zip(cells, places):
        w, h = cell.size
        white = Image.new("RGBA", (w, h), (255, 255, 255, 0))
        white.putalpha(cell)
        img.paste(white, (cx, cy))
        img.putpixel((cx, cy), UPPER_LEFT)
        img.putpixel((cx + w, cy + h), LOWER_RIGHT)
    # Pixels (1,0) and (2,0) tell the engine the other two marker colours;
    # both lie in the blank space glyph.
    img.putpixel((1, 0), LOWER_RIGHT)
    img.putpixel((2, 0), BACKGROUND)
    img.save(out, "BMP")


def write_text(out, ttf, size, text):
    font = ImageFont.truetype(ttf, size)
    ascent, descent = font.getmetrics()
    img = Image.new("L", (round(font.getlength(text)) + 4, ascent + descent + 4), 0)
    ImageDraw.Draw(img).text((2, 2), text, font=font, fill=255)
    img.save(out, "PNG")


def main(argv):
    if len(argv) >= 5 and argv[1] == "font":
        write_font(argv[2], argv[3], int(argv[4]))
    elif len(argv) >= 6 and argv[1] == "text":
        write_text(argv[2], argv[3], int(argv[4]), argv[5])
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
