#!/usr/bin/env python3
"""Writes the level texts (resources/levels/src/) of the levels drawn as character maps below.

Each map is the level as seen from above, one character a block; the legend turns it into the
block notation of the level texts. Pack a written text with
`trundlex-tool level-pack --new-id resources/levels/src/NAME.txt resources/levels/NAME.lev`
(a changed level needs a new ID), then run scripts/update-shipped-pars.sh. With slugs as
arguments only those texts are written.

Legend:
  #  wall            .  grass           ~  water          s  sand          i  ice
  o  the cup (a round cup on grass)     S  the start (grass)
  >  <  ^  v  grass sloping down right, left, up, down
  9  7  1  3  grass sloping down up-right, up-left, down-left, down-right
  R  L  U  D  ice sloping down right, left, up, down
  c  a round peg on grass               m  a round peg on sand
  a  b  d  e  a rounded inside corner of the walls: top-left, top-right, bottom-left,
              bottom-right
  q  w  z  x  a wall triangle over grass in the block's upper-right, lower-right, lower-left,
              upper-left half
  A  B  D  E  a rounded corner of water over grass, as a b d e
"""
import sys
from pathlib import Path

LEGEND = {
    '#': 'S0T8', '.': '$', '~': 'S0W8', 's': 'S0S8', 'i': 'S0I8',
    'o': 'C0G8H8', 'S': '$',
    '>': 'S0G0', '<': 'S0G4', '^': 'S0G2', 'v': 'S0G6',
    '9': 'S0G1', '7': 'S0G3', '1': 'S0G5', '3': 'S0G7',
    'R': 'S0I0', 'L': 'S0I4', 'U': 'S0I2', 'D': 'S0I6',
    'c': 'C0G8T8', 'm': 'C0S8T8',
    'a': 'P3T8G8', 'b': 'P0T8G8', 'd': 'P2T8G8', 'e': 'P1T8G8',
    'q': 'T0G8T8', 'w': 'T1G8T8', 'z': 'T2G8T8', 'x': 'T3G8T8',
    'A': 'P3W8G8', 'B': 'P0W8G8', 'D': 'P2W8G8', 'E': 'P1W8G8',
}

# The two neighbours that are walls for each rounded inside corner of the walls.
CORNER_WALLS = {'a': ((0, -1), (-1, 0)), 'b': ((0, -1), (1, 0)),
                'd': ((0, 1), (-1, 0)), 'e': ((0, 1), (1, 0))}

LEVELS = {}


def level(slug, name, rows):
    LEVELS[slug] = (name, rows)


def text_of(name, rows):
    width = len(rows[0])
    assert all(len(r) == width for r in rows), (name, [len(r) for r in rows])
    assert all(c == '#' for c in rows[0] + rows[-1]), name
    assert all(r[0] == '#' and r[-1] == '#' for r in rows), name
    starts = [(x, y) for y, r in enumerate(rows) for x, c in enumerate(r) if c == 'S']
    assert len(starts) == 1, name
    assert sum(r.count('o') for r in rows) == 1, name
    # A rounded inside corner stands in the corner of two walls; anywhere else it is a fin
    # sticking out of a wall into the lane.
    for y, r in enumerate(rows):
        for x, c in enumerate(r):
            for dx, dy in CORNER_WALLS.get(c, ()):
                assert rows[y + dy][x + dx] == '#', (name, c, x, y)
    sx, sy = starts[0]
    out = ['{Trundlex1}', '{0}', '{%s}{Trundlex team}' % name, '{%d}{%d}' % (width, len(rows)),
           '{%.6f}{%.6f}' % (sx + 0.5, sy + 0.5)]
    for r in rows:
        out.append(''.join('{%s}' % LEGEND[c] for c in r))
    return '\n'.join(out) + '\n'


# --- the levels -------------------------------------------------------------------------------

LEVEL_MAPS = r"""
=dogleg Dogleg
################
#a....b#########
#..S...#########
#......#########
#......#########
#......#########
#.............b#
#.......ssss...#
#.......ssss...#
#d......ssss.o.#
########d.....e#
################
=sand-trap Sand Trap
################
#a............b#
#..............#
#.S.....##c##..#
#.......#sss#..#
#.......#sos#..#
#.......#sss#..#
#.......##s##..#
#..............#
#d............e#
################
=causeway Causeway
########################
#a....~~~~~~~~~~~~....b#
#.....~~~~~~~~~~~~.....#
#.....~~~~~~~~~~~~.....#
#.....~~~~~~~~~~~~..#..#
#.S...................o#
#.....~~~~~~~~~~~~..#..#
#.....~~~~~~~~~~~~.....#
#.....~~~~~~~~~~~~.....#
#d....~~~~~~~~~~~~....e#
########################
=side-hill Side Hill
##################
#a..............b#
#vvvvvvvvvvvv##ov#
#vvvvvvvvvvvv##vv#
#vvvvvvvvvvvvvvvv#
#vvvvvvvvvvvvvvvv#
#vvvvvvvvvvvvvvvv#
#vvvvvvvvvvvvvvvv#
#................#
#.S..............#
#d..............e#
##################
=ice-bank Ice Bank
########################
#a...###############...#
#....iiiiiiiiiiiiiii<<<#
#.S..iiiiiiiiiiiiiii<<<#
#....iiiiiiiiiiiiiii<<<#
#d...###########.....^^#
################..o..^^#
################.....^^#
################d.....e#
########################
=peg-line Peg Line
######################
#a..................b#
#....c....c....c.....#
#.S....c....c....c.o.#
#....c....c....c.....#
#d..................e#
######################
=hopper Hopper
##################
#a..S...........b#
#................#
#z..............w#
##z...######...w##
###z..........w###
####z...^^...w####
#####z..^^..w#####
######..^^..######
######..^^..######
######..o...######
######d....e######
##################
=split-decision Split Decision
######################
#a..................b#
#....................#
#..########~~~######.#
#..#.......~~~.....#.#
#.S#.......~~~...o.#.#
#..#.......~~~.....#.#
#..###########.....#.#
#.............#....#.#
#.............#......#
#d............#.....e#
######################
=s-bend S-Bend
####################
#a................b#
#.S................#
#..................#
##############.....#
#a........####.....#
#..................#
#..................#
#.....####.........#
#.o...##############
#.....##############
#d....##############
####################
=glide Glide
##################
#a..............b#
#.S.iiiiiiiiiii..#
#...iiiiiiiiiii..#
#######iiiii######
#.....iiiiiii....#
#..ss.iiiiiii....#
#.sos..iiiii.....#
#..ss............#
#d..............e#
##################
=the-keep The Keep
####################
#a................b#
#..................#
#..~~~~~~~~~~~~~~..#
#..................#
#.....######.......#
#.S...#..o.#.......#
#.....#....#.......#
#.....##..##.......#
#..................#
#..~~~~~~~~~~~~~~..#
#d................e#
####################
=bumpers Bumpers
##################
#a..............b#
#................#
#...c...c...c....#
#.S....c...c...c.#
#...c...c...c....#
#......c...c...c.#
#...c...c...c....#
#......c...c...o.#
#d..............e#
##################
=pinch-point Pinch Point
################
#a............b#
#..............#
#.S............#
#..............#
#######.########
#.....sss......#
#..............#
#...........o..#
#d............e#
################
=long-haul Long Haul
##########################
#a......................b#
#.S......................#
#........................#
#################~~~.....#
#a..............#~~~.....#
#...............#~~~.....#
#......ss.......#........#
#......ss................#
#.......................e#
#.....####################
#.......................b#
#..c..c..c...............#
#.o.............~~~......#
#d..............~~~.....e#
##########################
=corkscrew Corkscrew
########################
#a....................b#
#.S....................#
#......................#
#...##############.....#
#...#a..........b#.....#
#...#............#.....#
#...#....o.......#.....#
#...#............#.....#
#...#d...####..........#
#...#########..........#
#......................#
#d....................e#
########################
=twin-bridges Twin Bridges
########################
#a....................b#
#......................#
#.S....................#
#......................#
#~~~~~~~~..~~~~~~~~...~#
#~~~~~~~~..~~~~~~~~...~#
#......................#
#......................#
#.........o............#
#d....................e#
########################
=ice-pocket Ice Pocket
####################
#a.......i........b#
#.S......i.........#
#........i.........#
#iiiiiiiiiiiiiiiiii#
#........i....####.#
#........i....#so..#
#........i....#ss#.#
#d.......i....####e#
####################
=snake-pit Snake Pit
######################
#a..#.........#.....b#
#.S.#.........#......#
#...#.vv.#.^^.#......#
#...#.vv.#.^^.#......#
#...#.vv.#.^^.#...o..#
#...#.vv.#.^^.#......#
#........#...........#
#d.......#..........e#
######################
=little-wall Little Wall
############
#a........b#
#.S........#
#......cc..#
#......co..#
#......cc..#
#d........e#
############
=grand-finale Grand Finale
############################
#a..........#.............b#
#.S.........#..............#
#...........#....~~~~~.....#
#....sss.........~~~~~.....#
#....sss.........~~~~~.....#
#...........#..............#
#######.#######vvvvvv#######
#a..........#.....vvv......#
#...........#..............#
#..c...c....#......~~......#
#.....c...c.........~~..o..#
#..c...c............~~.....#
#...........#..............#
#d..........#.............e#
############################
"""


def parse_maps(text):
    current = None
    for line in text.strip().splitlines():
        if line.startswith('='):
            slug, name = line[1:].split(' ', 1)
            current = []
            level(slug, name, current)
        else:
            current.append(line)


parse_maps(LEVEL_MAPS)

if __name__ == '__main__':
    folder = Path(__file__).resolve().parent.parent / 'resources' / 'levels' / 'src'
    wanted = set(sys.argv[1:])
    for slug, (name, rows) in LEVELS.items():
        if not wanted or slug in wanted:
            (folder / (slug + '.txt')).write_text(text_of(name, rows))
            print(slug)
