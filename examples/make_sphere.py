#!/usr/bin/env python3
"""Writes a model data file of a closed triangulated sphere.

The mesh is an icosahedron whose triangles are split into four, LEVEL times, with every new
node projected onto the sphere: 10 * 4**LEVEL + 2 nodes and 20 * 4**LEVEL triangles (level 2:
162 nodes, 320 elements; level 3: 642 nodes, 1280 elements). Every triangle lists its nodes
counter-clockwise seen from outside, so its normal points outwards.

The file has the layout of the suite's model data files (counts on lines 3 to 7 from the 21st
character, node rows from line 12, element rows after four more lines, then the empty
constraint and load sections), with CR LF line ends and Windows-1252 labels unless told
otherwise. Python standard library only.

    python3 make_sphere.py --level 2 -o sphere-162.txt
"""

import argparse
import math
import sys


def icosahedron():
    t = (1.0 + math.sqrt(5.0)) / 2.0
    points = [(-1, t, 0), (1, t, 0), (-1, -t, 0), (1, -t, 0),
              (0, -1, t), (0, 1, t), (0, -1, -t), (0, 1, -t),
              (t, 0, -1), (t, 0, 1), (-t, 0, -1), (-t, 0, 1)]
    faces = [(0, 11, 5), (0, 5, 1), (0, 1, 7), (0, 7, 10), (0, 10, 11),
             (1, 5, 9), (5, 11, 4), (11, 10, 2), (10, 7, 6), (7, 1, 8),
             (3, 9, 4), (3, 4, 2), (3, 2, 6), (3, 6, 8), (3, 8, 9),
             (4, 9, 5), (2, 4, 11), (6, 2, 10), (8, 6, 7), (9, 8, 1)]
    return [unit(p) for p in points], faces


def unit(p):
    length = math.sqrt(sum(c * c for c in p))
    return tuple(c / length for c in p)


def subdivide(points, faces):
    """Splits every triangle into four; the edge midpoints are projected onto the sphere."""
    midpoint = {}

    def middle(a, b):
        key = (min(a, b), max(a, b))
        if key not in midpoint:
            pa, pb = points[a], points[b]
            points.append(unit(tuple((x + y) / 2.0 for x, y in zip(pa, pb))))
            midpoint[key] = len(points) - 1
        return midpoint[key]

    result = []
    for a, b, c in faces:
        ab, bc, ca = middle(a, b), middle(b, c), middle(c, a)
        result += [(a, ab, ca), (b, bc, ab), (c, ca, bc), (ab, bc, ca)]
    return result


def outward(points, face):
    """The face with its nodes counter-clockwise seen from outside the sphere."""
    a, b, c = (points[i] for i in face)
    u = [b[k] - a[k] for k in range(3)]
    v = [c[k] - a[k] for k in range(3)]
    n = (u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0])
    centroid = [(a[k] + b[k] + c[k]) / 3.0 for k in range(3)]
    if sum(n[k] * centroid[k] for k in range(3)) < 0.0:
        return (face[0], face[2], face[1])
    return face


def sphere(level, radius):
    points, faces = icosahedron()
    for _ in range(level):
        faces = subdivide(points, faces)
    faces = [outward(points, f) for f in faces]
    points = [tuple(radius * c for c in p) for p in points]
    return points, faces


def model_lines(points, faces, title, degenerate_quads):
    lines = [title, "",
             "Número de Nós      : %d" % len(points),
             "Número de Elementos: %d" % len(faces),
             "Direções Restritas : 0",
             "Direções Carregadas: 0",
             "Elementos Carreg.  : 0",
             "",
             "Coordenadas dos Nós:",
             "",
             "      Nó                 Coord.X              Coord.Y              Coord.Z"]
    for number, (x, y, z) in enumerate(points, start=1):
        lines.append("%8d    %20.8f %20.8f %20.8f" % (number, x, y, z))
    lines += ["", "Conectividade dos Elementos:", "",
              "  Elem.          TS          Te         NAN         NAN       F/Dir         Nós ..."]
    for number, face in enumerate(faces, start=1):
        nodes = [i + 1 for i in face]
        if degenerate_quads:
            nodes.append(nodes[-1])
        text = "%12d" % nodes[0] + "".join("%8d" % n for n in nodes[1:])
        lines.append("%7d%12s%12s%12d%12d%12s%s" % (number, "1", "1", 0, 0, "1", text))
    lines += ["", "Vinculação dos Nós:", "", "       Nó  Dir.             Desloc."]
    lines += ["", "Carregamento Nodal:", "", "      Nó  Dir.             Carreg."]
    lines += ["", "Carregamento Distribuído:", "", "  Elem.   NAN   NAN             Carreg."]
    return lines


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--level", type=int, default=2,
                        help="number of subdivisions of the icosahedron (default 2: 162 nodes)")
    parser.add_argument("--radius", type=float, default=1.0, help="sphere radius (default 1)")
    parser.add_argument("--encoding", choices=["cp1252", "utf-8"], default="cp1252",
                        help="encoding of the labels (default cp1252, as the manager saves)")
    parser.add_argument("--lf", action="store_true", help="LF line ends instead of CR LF")
    parser.add_argument("--degenerate-quads", action="store_true",
                        help="write each triangle with 4 nodes, the last repeated")
    parser.add_argument("-o", "--output", required=True, help="model data file to write")
    args = parser.parse_args(argv)
    if args.level < 0 or not args.radius > 0.0:
        parser.error("--level must be 0 or more and --radius above 0")

    points, faces = sphere(args.level, args.radius)
    title = "Esfera de raio %g: icosaedro subdividido %d vezes" % (args.radius, args.level)
    end = "\n" if args.lf else "\r\n"
    text = "".join(line + end for line in model_lines(points, faces, title, args.degenerate_quads))
    with open(args.output, "wb") as out:
        out.write(text.encode(args.encoding))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
