# Draws the program icon: a round blue face with two large eyes and a small red mouth.
import math
import os
N = 32
pal = {
    ' ': 'None',      # transparent
    'k': '#000000',   # black
    'n': '#000080',   # navy outline
    'b': '#0000FF',   # blue face
    'l': '#4080FF',   # light blue highlight
    'a': '#80C0FF',   # sheen
    'w': '#FFFFFF',   # eye whites
    's': '#C0C0C0',   # eye shading
    'r': '#FF0000',   # mouth
    'm': '#800000',   # mouth outline
}
g = [[' '] * N for _ in range(N)]
cx = cy = 15.5
R = 15.2
for y in range(N):
    for x in range(N):
        d = math.hypot(x - cx, y - cy)
        if d <= R:
            g[y][x] = 'n' if d > R - 1.3 else 'b'
# highlight towards the upper left
for y in range(N):
    for x in range(N):
        if g[y][x] == 'b':
            d = math.hypot(x - 8.0, y - 6.0)
            if d < 3.2:
                g[y][x] = 'l'
            if d < 1.3:
                g[y][x] = 'a'
# two large eyes
def eye(ex, ey):
    inside = lambda x, y: ((x - ex) / 4.4) ** 2 + ((y - ey) / 5.7) ** 2 <= 1.0
    for y in range(N):
        for x in range(N):
            if inside(x, y):
                edge = not all(inside(x + dx, y + dy) for dx, dy in ((1,0),(-1,0),(0,1),(0,-1)))
                g[y][x] = 'k' if edge else 'w'
    for y in range(N):
        for x in range(N):
            if ((x - ex - 0.5) / 1.8) ** 2 + ((y - ey - 1.5) / 2.4) ** 2 <= 1.0:
                g[y][x] = 'k'
    g[int(ey) + 1][int(ex)] = 'w'           # glint
    g[int(ey) - 3][int(ex) - 2] = 's'
eye(10.5, 12.5)
eye(20.5, 12.5)
# small red mouth
inm = lambda x, y: ((x - 15.5) / 3.3) ** 2 + ((y - 23.5) / 2.0) ** 2 <= 1.0
for y in range(N):
    for x in range(N):
        if inm(x, y):
            edge = not all(inm(x + dx, y + dy) for dx, dy in ((1,0),(-1,0),(0,1),(0,-1)))
            g[y][x] = 'm' if edge else 'r'
used = sorted({c for row in g for c in row})
assert len(used) <= 16, used
out = ['/* XPM */', 'static const char* const program_icon[] = {',
       '"%d %d %d 1",' % (N, N, len(used))]
for c in used:
    out.append('"%s c %s",' % (c, pal[c]))
for i, row in enumerate(g):
    out.append('"%s"%s' % (''.join(row), ',' if i < N - 1 else ''))
out.append('};')
open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'program.xpm'), 'w').write('\n'.join(out) + '\n')
