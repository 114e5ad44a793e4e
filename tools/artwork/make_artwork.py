#!/usr/bin/python3
"""Draws the pictures and icons of both installers.

Run by hand (from anywhere): /usr/bin/python3 tools/artwork/make_artwork.py
Its outputs are committed; the build never runs this script and needs none of
its packages. It needs python3-pil and fonts-dejavu-core (Debian packages).

Every picture is written as a Windows BMP with a BITMAPINFOHEADER, 4 bits per
pixel (a palette of 16 entries), BI_RGB, bottom-up rows. Every icon file holds
one 32 x 32 image of 16 colours in the classic form (BITMAPINFOHEADER of twice
the height, palette, colour bits, AND mask), 766 bytes in all.
"""

import os
import struct

from PIL import Image, ImageDraw, ImageFont

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
FONT_DIR = "/usr/share/fonts/truetype/dejavu"
BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")
CONDENSED_BOLD = os.path.join(FONT_DIR, "DejaVuSansCondensed-Bold.ttf")
REGULAR = os.path.join(FONT_DIR, "DejaVuSans.ttf")

# ---------------------------------------------------------------------------
# Palettes
# ---------------------------------------------------------------------------

WHITE = (255, 255, 255)
RED = (184, 22, 38)
DARK_RED = (112, 10, 20)
BLUE = (26, 58, 140)
DARK_BLUE = (14, 32, 80)
PALE_BLUE = (120, 156, 220)
GOLD = (242, 190, 48)


def blend(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


# The pictures: the field colours with three steps towards white each, so that
# anti-aliased white lettering stays smooth on both fields.
PICTURE_PALETTE = [
    (0, 0, 0), WHITE, RED, DARK_RED, BLUE, DARK_BLUE,
    blend(RED, WHITE, 0.25), blend(RED, WHITE, 0.5), blend(RED, WHITE, 0.75),
    blend(BLUE, WHITE, 0.25), blend(BLUE, WHITE, 0.5), blend(BLUE, WHITE, 0.75),
    PALE_BLUE, GOLD, (128, 128, 128), (192, 192, 192),
]

# The icons: the standard 16-colour palette, which every display shows as is.
VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
(V_BLACK, V_MAROON, V_GREEN, V_OLIVE, V_NAVY, V_PURPLE, V_TEAL, V_SILVER,
 V_GREY, V_RED, V_LIME, V_YELLOW, V_BLUE, V_FUCHSIA, V_AQUA, V_WHITE) = range(16)

# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------


def pack_4bpp_rows(indices, width, height):
    """Colour bits of a 4-bit image, bottom row first, rows padded to 4 bytes."""
    stride = ((width * 4 + 31) // 32) * 4
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(0, width, 2):
            hi = indices[y * width + x]
            lo = indices[y * width + x + 1] if x + 1 < width else 0
            row.append((hi << 4) | lo)
        row.extend(b"\0" * (stride - len(row)))
        out.extend(row)
    return bytes(out)


def palette_bytes(palette):
    assert len(palette) == 16
    return b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)


def bitmap_info_header(width, height, image_size, for_icon=False):
    # biSize, biWidth, biHeight (positive: bottom-up), biPlanes, biBitCount,
    # biCompression (BI_RGB), biSizeImage, biXPelsPerMeter, biYPelsPerMeter
    # (96 dpi), biClrUsed, biClrImportant. Icon images leave the resolution and
    # the colour count at 0, as icon readers expect.
    pels, used = (0, 0) if for_icon else (3780, 16)
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size,
                       pels, pels, used, 0)


def write_bmp(path, image, palette):
    width, height = image.size
    bits = pack_4bpp_rows(list(image.getdata()), width, height)
    offset = 14 + 40 + 64
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    data = header + bitmap_info_header(width, height, len(bits)) + \
        palette_bytes(palette) + bits
    write_file(path, data)


def write_icon(path, image, mask):
    """`image`: 32 x 32 palette indices; `mask`: 32 x 32, 1 where transparent."""
    width, height = image.size
    assert (width, height) == (32, 32)
    xor_bits = pack_4bpp_rows(list(image.getdata()), width, height)
    and_rows = bytearray()
    for y in range(height - 1, -1, -1):
        for x0 in range(0, width, 8):
            byte = 0
            for bit in range(8):
                if mask.getpixel((x0 + bit, y)):
                    byte |= 0x80 >> bit
            and_rows.append(byte)
    image_data = (bitmap_info_header(width, height * 2, len(xor_bits) + len(and_rows), True)
                  + palette_bytes(VGA_PALETTE) + xor_bits + bytes(and_rows))
    # ICONDIR (reserved, type 1 = icon, one image), then its ICONDIRENTRY:
    # width, height, colour count, reserved, planes, bit count, size, offset.
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", width, height, 16, 0, 1, 4, len(image_data), 6 + 16)
    data = directory + image_data
    assert len(data) == 766, len(data)
    write_file(path, data)


def write_file(path, data):
    full = os.path.join(REPO, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)
    print(f"{path}: {len(data)} bytes")


def to_palette(rgb_image, palette):
    """Maps every pixel to the nearest palette entry, without dithering."""
    pal_image = Image.new("P", (1, 1))
    pal_image.putpalette([c for rgb in palette for c in rgb] + [0] * (768 - 48))
    return rgb_image.quantize(palette=pal_image, dither=Image.Dither.NONE)

# ---------------------------------------------------------------------------
# Lettering
# ---------------------------------------------------------------------------


def fitting_font(path, lines, max_width, largest, smallest=9):
    for size in range(largest, smallest - 1, -1):
        font = ImageFont.truetype(path, size)
        if all(font.getbbox(line)[2] <= max_width for line in lines):
            return font
    raise SystemExit(f"lettering does not fit in {max_width} px: {lines}")


def draw_centred(draw, text, font, centre_x, centre_y, fill=WHITE):
    """Centres the ink of `text` (not its advance box) on the given point."""
    left, top, right, bottom = draw.textbbox((0, 0), text, font=font)
    x = centre_x - (left + right) / 2
    y = centre_y - (top + bottom) / 2
    draw.text((round(x), round(y)), text, font=font, fill=fill)


def draw_centred_lines(draw, lines, font, centre_x, centre_y, gap):
    """Two or more lines, each centred on centre_x, the block on centre_y.

    Every line is placed by the same ascent so that lines with and without
    descenders sit on evenly spaced baselines.
    """
    ascent, descent = font.getmetrics()
    cap_top = font.getbbox("H")[1]
    line_height = ascent - cap_top
    block = len(lines) * line_height + (len(lines) - 1) * gap
    top = centre_y - block / 2
    for i, line in enumerate(lines):
        left, _, right, _ = draw.textbbox((0, 0), line, font=font)
        x = centre_x - (left + right) / 2
        baseline_top = top + i * (line_height + gap) - cap_top
        draw.text((round(x), round(baseline_top)), line, font=font, fill=WHITE)

# ---------------------------------------------------------------------------
# Pictures
# ---------------------------------------------------------------------------

BANNER_SIZE = (400, 144)
STRIP_SIZE = (400, 48)

# The dialogs lay their push buttons over the right-hand part of the lower
# strip (from x = 220 px with OK and Cancel, from x = 306 px with OK alone),
# so the two lines are centred in the part left of the buttons.
STRIP_TEXT_WIDTH_TWO_BUTTONS = 214
STRIP_TEXT_WIDTH_ONE_BUTTON = 300


def strip(lines, text_width):
    image = Image.new("RGB", STRIP_SIZE, RED)
    draw = ImageDraw.Draw(image)
    draw.line([(0, 0), (STRIP_SIZE[0] - 1, 0)], fill=DARK_RED)
    font = fitting_font(CONDENSED_BOLD, lines, text_width - 12, 15)
    draw_centred_lines(draw, lines, font, text_width / 2, STRIP_SIZE[1] / 2, 6)
    return to_palette(image, PICTURE_PALETTE)


def sine_trace(draw, x0, x1, centre_y, amplitude, periods, fill, width=2):
    import math
    points = []
    for x in range(x0, x1 + 1):
        phase = (x - x0) / (x1 - x0) * periods * 2 * math.pi
        points.append((x, centre_y - amplitude * math.sin(phase)))
    draw.line(points, fill=fill, width=width)


def square_trace(draw, x0, y_low, y_high, half_period, count, fill, width=2):
    points = []
    x = x0
    level = y_low
    for _ in range(count):
        points.append((x, level))
        x += half_period
        points.append((x, level))
        level = y_high if level == y_low else y_low
    draw.line(points, fill=fill, width=width)


def resistor(draw, x0, y, length, fill):
    step = length / 8
    points = [(x0, y), (x0 + step, y)]
    for i in range(6):
        points.append((x0 + step * (1.5 + i), y + (-6 if i % 2 == 0 else 6)))
    points += [(x0 + step * 7, y), (x0 + length, y)]
    draw.line(points, fill=fill, width=2, joint="curve")


def capacitor(draw, x0, y, fill):
    draw.line([(x0, y), (x0 + 12, y)], fill=fill, width=2)
    draw.line([(x0 + 12, y - 9), (x0 + 12, y + 9)], fill=fill, width=3)
    draw.line([(x0 + 18, y - 9), (x0 + 18, y + 9)], fill=fill, width=3)
    draw.line([(x0 + 18, y), (x0 + 30, y)], fill=fill, width=2)


def and_gate(draw, x0, y0, size, fill, width=2):
    """A distinctive-shape AND gate, `size` px high, inputs at the left."""
    half = size / 2
    draw.line([(x0, y0), (x0 + half, y0)], fill=fill, width=width)
    draw.line([(x0, y0 + size), (x0 + half, y0 + size)], fill=fill, width=width)
    draw.line([(x0, y0), (x0, y0 + size)], fill=fill, width=width)
    draw.arc([x0, y0, x0 + size, y0 + size], -90, 90, fill=fill, width=width)
    # Inputs and output.
    draw.line([(x0 - 10, y0 + size * 0.3), (x0, y0 + size * 0.3)], fill=fill, width=width)
    draw.line([(x0 - 10, y0 + size * 0.7), (x0, y0 + size * 0.7)], fill=fill, width=width)
    draw.line([(x0 + size, y0 + half), (x0 + size + 10, y0 + half)], fill=fill, width=width)


def banner(title, subtitle, decorate_band):
    """Blue band with the maker, red field with the title, blue field below."""
    w, h = BANNER_SIZE
    band_bottom, title_bottom = 34, 104
    image = Image.new("RGB", BANNER_SIZE, BLUE)
    draw = ImageDraw.Draw(image)
    draw.rectangle([0, band_bottom, w - 1, title_bottom], fill=RED)
    draw.line([(0, band_bottom), (w - 1, band_bottom)], fill=WHITE, width=2)
    draw.line([(0, title_bottom), (w - 1, title_bottom)], fill=WHITE, width=2)
    draw.rectangle([0, title_bottom + 2, w - 1, h - 1], fill=DARK_BLUE)

    decorate_band(draw, band_bottom)
    maker = ImageFont.truetype(BOLD, 15)
    draw.text((14, 9), "Morvane", font=maker, fill=WHITE)

    title_font = fitting_font(BOLD, [title], w - 36, 30)
    draw_centred(draw, title, title_font, w / 2, (band_bottom + title_bottom) / 2 + 1)
    sub_font = fitting_font(REGULAR, [subtitle], w - 36, 16)
    draw_centred(draw, subtitle, sub_font, w / 2, (title_bottom + h) / 2 + 1)
    return to_palette(image, PICTURE_PALETTE)


def simulation_band(draw, band_bottom):
    resistor(draw, 150, 17, 60, PALE_BLUE)
    capacitor(draw, 216, 17, PALE_BLUE)
    sine_trace(draw, 262, 386, 17, 9, 2, WHITE)


def logic_band(draw, band_bottom):
    and_gate(draw, 170, 6, 22, PALE_BLUE)
    square_trace(draw, 226, 26, 8, 16, 10, WHITE)

# ---------------------------------------------------------------------------
# Icons
# ---------------------------------------------------------------------------


def new_icon():
    image = Image.new("P", (32, 32), V_BLACK)
    image.putpalette([c for rgb in VGA_PALETTE for c in rgb] + [0] * (768 - 48))
    mask = Image.new("1", (32, 32), 1)
    return image, ImageDraw.Draw(image), mask, ImageDraw.Draw(mask)


def letter_mask(text, font_path, size, box):
    """Non-anti-aliased lettering, centred in `box`, as a 1-bit mask."""
    mask = Image.new("1", (32, 32), 0)
    draw = ImageDraw.Draw(mask)
    draw.fontmode = "1"
    font = ImageFont.truetype(font_path, size)
    left, top, right, bottom = draw.textbbox((0, 0), text, font=font)
    x0, y0, x1, y1 = box
    x = (x0 + x1 + 1) / 2 - (left + right) / 2
    y = (y0 + y1 + 1) / 2 - (top + bottom) / 2
    draw.text((round(x), round(y)), text, font=font, fill=1)
    return mask


def setup_icon():
    """"ZR" in white on a rounded square, blue above, red below."""
    image, draw, mask, mdraw = new_icon()
    mdraw.rounded_rectangle([0, 0, 31, 31], radius=5, fill=0)
    draw.rounded_rectangle([0, 0, 31, 31], radius=5, fill=V_RED)
    draw.rounded_rectangle([0, 0, 31, 15], radius=5, fill=V_NAVY)
    draw.rectangle([0, 8, 31, 15], fill=V_NAVY)
    draw.line([(0, 16), (31, 16)], fill=V_WHITE)
    draw.rounded_rectangle([0, 0, 31, 31], radius=5, outline=V_MAROON)
    letters = letter_mask("ZR", BOLD, 17, (1, 1, 30, 30))
    image.paste(V_WHITE, (0, 0), letters)
    return image, mask


def schematic_icon():
    """A schematic sheet with a resistor and a waveform on it."""
    image, draw, mask, mdraw = new_icon()
    page = [(4, 1), (22, 1), (28, 7), (28, 30), (4, 30)]
    mdraw.polygon(page, fill=0)
    draw.polygon(page, fill=V_WHITE, outline=V_BLACK)
    draw.polygon([(22, 1), (22, 7), (28, 7)], fill=V_SILVER, outline=V_BLACK)
    # Resistor zigzag between two wires.
    zig = [(7, 11), (10, 11), (11, 8), (13, 14), (15, 8), (17, 14), (19, 8), (20, 11),
           (25, 11)]
    draw.line(zig, fill=V_BLUE)
    # One period of a sine-like trace.
    wave = [(7, 23), (8, 21), (9, 19), (10, 18), (11, 18), (12, 19), (13, 21), (14, 23),
            (15, 25), (16, 27), (17, 28), (18, 28), (19, 27), (20, 25), (21, 23),
            (22, 21), (23, 19), (24, 18), (25, 18)]
    draw.line([(7, 23), (25, 23)], fill=V_SILVER)
    draw.line(wave, fill=V_RED)
    return image, mask


def chip_icon():
    """A logic chip with its pins and an AND gate on the package."""
    image, draw, mask, mdraw = new_icon()
    for y in range(5, 28, 5):
        for x0, x1 in ((0, 4), (27, 31)):
            draw.rectangle([x0, y, x1, y + 2], fill=V_SILVER)
            mdraw.rectangle([x0, y, x1, y + 2], fill=0)
    mdraw.rectangle([4, 2, 27, 29], fill=0)
    draw.rectangle([4, 2, 27, 29], fill=V_NAVY, outline=V_BLACK)
    draw.ellipse([6, 4, 9, 7], fill=V_TEAL)
    # AND gate: straight back, round front, two inputs and one output.
    draw.line([(11, 10), (11, 21)], fill=V_WHITE)
    draw.line([(11, 10), (15, 10)], fill=V_WHITE)
    draw.line([(11, 21), (15, 21)], fill=V_WHITE)
    draw.arc([10, 10, 21, 21], -90, 90, fill=V_WHITE)
    draw.line([(7, 13), (10, 13)], fill=V_YELLOW)
    draw.line([(7, 18), (10, 18)], fill=V_YELLOW)
    draw.line([(22, 15), (25, 15)], fill=V_YELLOW)
    return image, mask


def folder_icon():
    """A yellow folder with an AND gate on its front: the examples folder."""
    image, draw, mask, mdraw = new_icon()
    back = [(1, 5), (11, 5), (14, 8), (30, 8), (30, 28), (1, 28)]
    front = [(1, 12), (30, 12), (30, 28), (1, 28)]
    mdraw.polygon(back, fill=0)
    draw.polygon(back, fill=V_OLIVE, outline=V_BLACK)
    draw.polygon(front, fill=V_YELLOW, outline=V_BLACK)
    draw.line([(2, 13), (29, 13)], fill=V_WHITE)
    # AND gate in navy on the front.
    draw.line([(11, 15), (11, 25)], fill=V_NAVY)
    draw.line([(11, 15), (15, 15)], fill=V_NAVY)
    draw.line([(11, 25), (15, 25)], fill=V_NAVY)
    draw.arc([10, 15, 20, 25], -90, 90, fill=V_NAVY)
    draw.line([(7, 17), (10, 17)], fill=V_NAVY)
    draw.line([(7, 23), (10, 23)], fill=V_NAVY)
    draw.line([(21, 20), (25, 20)], fill=V_NAVY)
    return image, mask

# ---------------------------------------------------------------------------


def main():
    write_bmp("zrsetup/resources/banner.bmp",
              banner("ZR PSpice Examples", "Circuit simulation examples",
                     simulation_band), PICTURE_PALETTE)
    write_bmp("zrsetup/resources/welcome_strip.bmp",
              strip(["Installation of the", "PSpice simulation examples"],
                    STRIP_TEXT_WIDTH_TWO_BUTTONS), PICTURE_PALETTE)
    write_bmp("zrsetup/resources/finished_strip.bmp",
              strip(["PSpice simulation examples", "successfully installed"],
                    STRIP_TEXT_WIDTH_ONE_BUTTON), PICTURE_PALETTE)
    write_icon("zrsetup/resources/zrsetup.ico", *setup_icon())
    write_icon("zrsetup/resources/zricon.ico", *schematic_icon())

    write_bmp("gatesetup/resources/banner.bmp",
              banner("ispLever Examples", "Programmable logic design examples",
                     logic_band), PICTURE_PALETTE)
    write_bmp("gatesetup/resources/start_strip.bmp",
              strip(["Installation of the", "ispLever examples"],
                    STRIP_TEXT_WIDTH_TWO_BUTTONS), PICTURE_PALETTE)
    write_bmp("gatesetup/resources/finished_strip.bmp",
              strip(["ispLever examples", "successfully installed"],
                    STRIP_TEXT_WIDTH_ONE_BUTTON), PICTURE_PALETTE)
    write_icon("gatesetup/resources/gatesetup.ico", *chip_icon())

    # The sample payloads carry icons of their own for their shortcuts.
    write_icon("payload/gatesetup/zricon.ico", *folder_icon())
    with open(os.path.join(REPO, "zrsetup/resources/zricon.ico"), "rb") as f:
        write_file("payload/zrsetup/BinDL/zricon.ico", f.read())


if __name__ == "__main__":
    main()
