#!/usr/bin/env python3
"""Writes the reference outputs (*.ref) of the sample exports in this folder.

A second, independent reading of the conversion and of the list files, written with Python's
printf formatting, so that the C++ core is compared with something it did not produce.
Run it from anywhere: python3 make_references.py
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def chars(line, first, last):
    return line[first - 1:last]


def integer(text):
    s = text.lstrip(" ")
    if s[:1] in "+-":
        body = s[1:]
    else:
        body = s
    assert body.isdigit(), repr(text)
    return int(s)


def real(text):
    return float(text.strip(" "))


def fixed(value, width, decimals):
    s = "%.*f" % (decimals, value)
    if s.startswith("-") and set(s[1:]) <= set("0."):
        s = s[1:]
    return s.rjust(width)


def field_width(line):
    i = 0
    while i < len(line) and line[i] == " ":
        i += 1
    while i < len(line) and line[i] != " ":
        i += 1
    assert i < len(line)
    return i


def convert(lines):
    it = iter(enumerate(lines))

    def find(*prefixes):
        for _, line in it:
            if line.startswith(prefixes):
                return line
        raise ValueError("end of file")

    def nxt():
        return next(it)[1]

    nn = integer(chars(find("NUMOFF,NODE,"), 14, 43))
    ne = integer(chars(find("NUMOFF,ELEM,"), 14, 43))
    out = ["Arquivo de Dados - ANSYS®", "", "Número de Nós      : %d" % nn,
           "Número de Elementos: %d" % ne, None, None, None, "", "Coordenadas dos Nós:", "",
           "      Nó                 Coord.X              Coord.Y              Coord.Z"]
    find("NBLOCK,")
    nxt()
    for _ in range(nn):
        line = nxt()
        x = real(chars(line, 25, 40))
        y = real(chars(line, 41, 56)) if len(line) >= 41 else 0.0
        z = real(chars(line, 57, 72)) if len(line) >= 57 else 0.0
        out.append("%8d    %s %s %s" % (integer(chars(line, 1, 8)), fixed(x, 20, 8),
                                         fixed(y, 20, 8), fixed(z, 20, 8)))
    out += ["", "Conectividade dos Elementos:", "",
            "  Elem.          TS          Te         NAN         NAN       F/Dir         Nós ..."]
    find("EBLOCK,")
    nxt()
    for _ in range(ne):
        line = nxt()
        w = field_width(line)
        f = [line[k * w:(k + 1) * w] for k in range(11)]
        rest = line[11 * w:]
        out.append("%7d%12s%12s           0           0%12s%s" %
                   (integer(f[10]), f[0], f[1], f[2], rest.rjust(len(rest) + 12 - w)))
    out += ["", "Vinculação dos Nós:", "", "       Nó  Dir.             Desloc."]
    cur = find("D,", "F,", "SFE,", "FINISH")
    nd = nf = ns = 0
    while cur.startswith("D,"):
        out.append("%9d  %s%s" % (integer(chars(cur, 3, 9)), chars(cur, 11, 14),
                                  fixed(real(chars(cur, 16, 31)), 20, 10)))
        nd += 1
        cur = nxt()
    out += ["", "Carregamento Nodal:", "", "      Nó  Dir.             Carreg."]
    while cur.startswith("F,"):
        out.append("%8d  %s%s" % (integer(chars(cur, 3, 9)), chars(cur, 11, 14),
                                  fixed(real(chars(cur, 16, 31)), 20, 8)))
        nf += 1
        cur = nxt()
    out += ["", "Carregamento Distribuído:", "", "  Elem.   NAN   NAN             Carreg."]
    while not cur.startswith("FINISH"):
        if cur.startswith("SFE,"):
            element = integer(chars(cur, 5, 11))
            value = real(chars(nxt(), 1, 16))
            out.append("%7d     0     0%s" % (element, fixed(value, 20, 10)))
            ns += 1
            nxt()
            nxt()
        cur = nxt()
    out[4] = "Direções Restritas : %d" % nd
    out[5] = "Direções Carregadas: %d" % nf
    out[6] = "Elementos Carreg.  : %d" % ns
    return out


def rows(model, first, count):
    return model[first - 1:first - 1 + count]


def list_files(model):
    c = [int(model[i][20:]) for i in range(2, 7)]
    nn, ne, nd, nf, ns = c
    note = " *** NOTE *** "
    return {
        "nlist": ["", "   NODE        X                   Y                   Z"] +
                 rows(model, 12, nn),
        "elist": ["", "    ELEM MAT TYP REL ESY SEC        NODES", ""] +
                 rows(model, nn + 16, ne),
        "dlist": ["", "     NODE  LABEL     REAL           IMAG" if nd else note] +
                 rows(model, nn + ne + 20, nd),
        "flist": ["", "    NODE  LABEL     REAL           IMAG" if nf else note] +
                 rows(model, nn + ne + nd + 24, nf),
        "sflis": ["", " ELEMENT  LKEY     FACE NODES             REAL           IMAGINARY"
                  if ns else note] + rows(model, nn + ne + nd + nf + 28, ns),
    }


def write(name, lines):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("utf-8"))


def main():
    for stem in ("basic", "no-loads"):
        with open(os.path.join(HERE, stem + ".adf"), encoding="utf-8", newline="") as f:
            lines = f.read().replace("\r\n", "\n").split("\n")[:-1]
        model = convert(lines)
        write(stem + ".model.ref", model)
        for name, content in list_files(model).items():
            write("%s.%s.ref" % (stem, name), content)


if __name__ == "__main__":
    main()
