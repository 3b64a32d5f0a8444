"""The board as it must look, pixel for pixel, to compare with screenshots of the real window.

The sprites are written here from their row tables (rim, fill and inner disc per row), apart
from the program's own XPM text, so that a slip in either shows up as a pixel difference.
"""

DARK = "#111111"
LIGHT = "#eeeeee"
GREY = "#888888"
FILL = {"x": "#7777ff", "o": "#ff7777"}
INNER = {"x": "#0000ff", "o": "#ff0000"}

# Men: for each row, the rim columns and the fill columns, as (first, last) ranges.
MAN_ROWS = {
    1: ([(9, 14)], []),
    2: ([(6, 8), (15, 17)], [(9, 14)]),
    3: ([(4, 5), (18, 19)], [(6, 17)]),
    4: ([(3, 3), (20, 20)], [(4, 19)]),
    5: ([(3, 3), (20, 20)], [(4, 19)]),
    18: ([(3, 3), (20, 20)], [(4, 19)]),
    19: ([(3, 3), (19, 20)], [(4, 18)]),
    20: ([(4, 5), (17, 18)], [(6, 16)]),
    21: ([(6, 8), (15, 16)], [(9, 14)]),
    22: ([(9, 14)], []),
}
for _r in (6, 7, 8, 15, 16, 17):
    MAN_ROWS[_r] = ([(2, 2), (21, 21)], [(3, 20)])
for _r in range(9, 15):
    MAN_ROWS[_r] = ([(1, 1), (22, 22)], [(2, 21)])

# Kings: the rows that differ from the man's, with the inner disc as a third list.
KING_ROWS = {
    8: ([(2, 2), (21, 21)], [(3, 9), (14, 20)], [(10, 13)]),
    9: ([(1, 1), (22, 22)], [(2, 8), (15, 21)], [(9, 14)]),
    14: ([(1, 1), (22, 22)], [(2, 8), (15, 21)], [(9, 14)]),
    15: ([(2, 2), (21, 21)], [(3, 9), (14, 20)], [(10, 13)]),
    19: ([(3, 4), (19, 20)], [(5, 18)], []),
}
for _r in range(10, 14):
    KING_ROWS[_r] = ([(1, 1), (22, 22)], [(2, 7), (16, 21)], [(8, 15)])

MARKER_ROWS = {
    0: [(1, 5), (18, 22)],
    1: [(0, 3), (20, 23)],
    2: [(0, 2), (21, 23)],
    3: [(0, 1), (22, 23)],
    4: [(0, 0), (23, 23)],
    5: [(0, 0), (23, 23)],
    18: [(0, 0), (23, 23)],
    19: [(0, 0), (23, 23)],
    20: [(0, 1), (22, 23)],
    21: [(0, 2), (21, 23)],
    22: [(0, 3), (20, 23)],
    23: [(1, 5), (18, 22)],
}


def _paint(cell, row, ranges, colour):
    for first, last in ranges:
        for column in range(first, last + 1):
            cell[row][column] = colour


def piece_pixels(code):
    """{(column, row): colour} of a piece sprite's painted pixels."""
    colour = code.lower()
    cell = [[None] * 24 for _ in range(24)]
    for row, (rim, fill) in MAN_ROWS.items():
        _paint(cell, row, rim, GREY)
        _paint(cell, row, fill, FILL[colour])
    if code.isupper():
        for row, (rim, fill, inner) in KING_ROWS.items():
            cell[row] = [None] * 24
            _paint(cell, row, rim, GREY)
            _paint(cell, row, fill, FILL[colour])
            _paint(cell, row, inner, INNER[colour])
    return {(c, r): cell[r][c] for r in range(24) for c in range(24) if cell[r][c]}


def marker_pixels():
    return {(c, r): GREY for r, ranges in MARKER_ROWS.items()
            for first, last in ranges for c in range(first, last + 1)}


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
            if all(image.pixel(x, y) == GREY for x, y in corners):
                found.add(square_name(row, column))
    return found


def board_matches(game, board, marked):
    """Whether the window's board shows exactly this position with these squares marked."""
    shot = game.board_shot()
    picture = expected_board(board, game.flipped(), marked, shot.pixel(27, 27),
                             shot.pixel(26, 26))
    return not compare(shot, picture)
