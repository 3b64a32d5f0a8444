"""The board as it must look, pixel for pixel, to compare with screenshots of the real window.

The sprites are read from the program's own XPM text (ui/sprites.cpp), whose every pixel the
sprite unit test checks against the game's description of the pieces; this module only places
them, so a slip in placing or painting shows up as a pixel difference.
"""

import os
import re

SPRITES_SOURCE = os.path.join(os.path.dirname(__file__), "..", "..", "ui", "sprites.cpp")


def _read_sprites():
    """{name: {(column, row): "#rrggbb"}} of the painted pixels of every XPM image."""
    with open(SPRITES_SOURCE, encoding="utf-8") as f:
        source = f.read()
    sprites = {}
    for name, body in re.findall(r"const char\* const (\w+)\[\] = \{(.*?)\};", source, re.S):
        lines = re.findall(r'"([^"]*)"', body)
        width, height, colours, _ = (int(v) for v in lines[0].split())
        palette = {}
        for line in lines[1:1 + colours]:
            value = line[1:].split()[-1]
            palette[line[0]] = None if value == "None" else value.lower()
        pixels = {}
        for row, text in enumerate(lines[1 + colours:1 + colours + height]):
            for column, char in enumerate(text[:width]):
                if palette[char]:
                    pixels[(column, row)] = palette[char]
        sprites[name] = pixels
    return sprites


SPRITES = _read_sprites()
DARK = SPRITES["black_sq"][(0, 0)]
LIGHT = SPRITES["white_sq"][(0, 0)]
MARKER = SPRITES["point_here"][(1, 0)]
PIECES = {"x": "blue_ball", "o": "red_ball", "X": "big_blue_ball", "O": "big_red_ball"}


def piece_pixels(code):
    """{(column, row): colour} of a piece sprite's painted pixels."""
    return SPRITES[PIECES[code]]


def marker_pixels():
    return SPRITES["point_here"]


def square_name(row, column):
    return "abcdefgh"[column] + str(8 - row)


def parse_position(text):
    """A board from ranks 8 to 1 joined by '/', '.' for empty: {square name: code}."""
    ranks = text.split("/")
    assert len(ranks) == 8
    board = {}
    for row, rank in enumerate(ranks):
        assert len(rank) == 8
        for column, code in enumerate(rank):
            if code != ".":
                board[square_name(row, column)] = code
    return board


START = parse_position("......../xxxxxxxx/xxxxxxxx/......../......../oooooooo/oooooooo/........")


def frame_pixels():
    pixels = set()
    for lo, hi in ((27, 224), (29, 222)):
        for i in range(lo, hi + 1):
            pixels.update({(i, lo), (i, hi), (lo, i), (hi, i)})
    return pixels


def expected_board(board, flipped, marked, frame, background):
    """{(x, y): colour} over the frame, the squares and a one-pixel ring of background around
    the frame. Further out the margin shows the window's background, on which the theme may
    draw, for instance the shadow of the buttons below."""
    picture = {}
    framed = frame_pixels()
    for y in range(26, 226):
        for x in range(26, 226):
            picture[(x, y)] = frame if (x, y) in framed else background
    man_cache = {}
    marker = marker_pixels()
    for row in range(8):
        for column in range(8):
            name = square_name(row, column)
            ox = 30 + 24 * column
            oy = 30 + 24 * (7 - row if flipped else row)
            colour = DARK if (row + column) % 2 == 0 else LIGHT
            for dy in range(24):
                for dx in range(24):
                    picture[(ox + dx, oy + dy)] = colour
            code = board.get(name)
            if code:
                pixels = man_cache.setdefault(code, piece_pixels(code))
                for (dx, dy), c in pixels.items():
                    picture[(ox + dx, oy + dy)] = c
            if name in marked:
                for (dx, dy), c in marker.items():
                    picture[(ox + dx, oy + dy)] = c
    return picture


def compare(image, picture, limit=10):
    """The first differing pixels between a 252 x 252 screenshot and an expected picture."""
    wrong = []
    for (x, y), colour in picture.items():
        got = image.pixel(x, y)
        if got != colour:
            wrong.append("(%d,%d) is %s, expected %s" % (x, y, got, colour))
            if len(wrong) >= limit:
                break
    return wrong


def marked_squares(image, flipped):
    """The squares whose four corner brackets are painted grey."""
    found = set()
    for row in range(8):
        for column in range(8):
            ox = 30 + 24 * column
            oy = 30 + 24 * (7 - row if flipped else row)
            corners = [(ox + 1, oy), (ox + 22, oy), (ox + 1, oy + 23), (ox + 23, oy + 22)]
            if all(image.pixel(x, y) == MARKER for x, y in corners):
                found.add(square_name(row, column))
    return found


def board_matches(game, board, marked):
    """Whether the window's board shows exactly this position with these squares marked."""
    shot = game.board_shot()
    picture = expected_board(board, game.flipped(), marked, shot.pixel(27, 27),
                             shot.pixel(26, 26))
    return not compare(shot, picture)
