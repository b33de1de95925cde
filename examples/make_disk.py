#!/usr/bin/env python3
"""Writes a model data file of a disk footing on the surface x3 = 0 of a half-space.

Ring k (k = 1 .. RINGS) holds 6k nodes at radius k * RADIUS / RINGS around a centre node, so
the outline is a regular polygon of 6 RINGS sides: 1 + 3 RINGS (RINGS + 1) nodes and
6 RINGS^2 triangles. Every triangle lists its nodes counter-clockwise seen from x3 < 0, so its
normal points out of the solid x3 >= 0. Same file layout as make_sphere.py.

    python3 make_disk.py --rings 8 -o disk-217.txt
"""

import argparse
import math
import sys

from make_sphere import model_lines


def disk(rings, radius):
    points = [(0.0, 0.0, 0.0)]
    first = [0]
    for k in range(1, rings + 1):
        first.append(len(points))
        for j in range(6 * k):
            angle = 2.0 * math.pi * j / (6 * k)
            r = radius * k / rings
            points.append((r * math.cos(angle), r * math.sin(angle), 0.0))

    def at(k, j):
        return 0 if k == 0 else first[k] + j % (6 * k)

    faces = []
    for k in range(1, rings + 1):
        for s in range(6):
            for t in range(k):
                outer, inner = s * k + t, s * (k - 1) + t
                faces.append((at(k, outer), at(k - 1, inner), at(k, outer + 1)))
                if t < k - 1:
                    faces.append((at(k - 1, inner), at(k - 1, inner + 1), at(k, outer + 1)))
    return points, faces


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--rings", type=int, default=8, help="number of rings (default 8)")
    parser.add_argument("--radius", type=float, default=1.0, help="disk radius (default 1)")
    parser.add_argument("-o", "--output", required=True, help="model data file to write")
    args = parser.parse_args(argv)
    if args.rings < 1 or not args.radius > 0.0:
        parser.error("--rings must be 1 or more and --radius above 0")
    points, faces = disk(args.rings, args.radius)
    title = "Sapata circular de raio %g: %d anéis" % (args.radius, args.rings)
    text = "".join(line + "\r\n" for line in model_lines(points, faces, title, False))
    with open(args.output, "wb") as out:
        out.write(text.encode("cp1252"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
