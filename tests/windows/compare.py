#!/usr/bin/env python3
"""Compares the outputs of two runs of bem_host (or of a host and the Fortran caller).

  compare.py matrices DIR_A DIR_B TOLERANCE   every CASE.npy of DIR_A against DIR_B's
  compare.py text FILE_A FILE_B               two text outputs, line ends normalised
  compare.py line-ends FILE crlf|lf           every line of FILE ends so (and only so)

Matrices agree when max |a - b| / max |a| <= TOLERANCE (normwise: single entries near zero
carry no relative meaning). Text agrees when the files are equal after CR LF becomes LF and
the digits of the processing-time lines are masked (the elapsed time differs between runs).
Exit status 0 when everything agrees; the figures are printed either way."""
import pathlib
import re
import struct
import sys


def read_npy(path):
    data = path.read_bytes()
    if data[:6] != b"\x93NUMPY" or data[6] != 1:
        raise SystemExit(f"{path}: not a version 1 .npy file")
    (header_length,) = struct.unpack("<H", data[8:10])
    header = data[10 : 10 + header_length].decode("latin-1")
    if "'descr': '<f8'" not in header or "'fortran_order': True" not in header:
        raise SystemExit(f"{path}: not a float64 matrix in Fortran order: {header.strip()}")
    shape = tuple(int(n) for n in re.search(r"'shape': \((\d+), (\d+)\)", header).groups())
    body = data[10 + header_length :]
    count = shape[0] * shape[1]
    if len(body) != 8 * count:
        raise SystemExit(f"{path}: {len(body)} data bytes for shape {shape}")
    return shape, struct.unpack(f"<{count}d", body)


def compare_matrices(dir_a, dir_b, tolerance):
    files = sorted(pathlib.Path(dir_a).glob("*.npy"))
    if not files:
        raise SystemExit(f"{dir_a}: no .npy files")
    worst = 0.0
    ok = True
    for file_a in files:
        file_b = pathlib.Path(dir_b) / file_a.name
        if not file_b.exists():
            print(f"{file_a.name}: missing in {dir_b}")
            ok = False
            continue
        shape_a, a = read_npy(file_a)
        shape_b, b = read_npy(file_b)
        if shape_a != shape_b:
            print(f"{file_a.name}: shapes {shape_a} and {shape_b}")
            ok = False
            continue
        scale = max(abs(x) for x in a)
        difference = max(abs(x - y) for x, y in zip(a, b))
        identical = sum(1 for x, y in zip(a, b) if x == y)
        relative = difference / scale if scale > 0 else difference
        worst = max(worst, relative)
        verdict = "ok" if relative <= tolerance else "DIFFERENT"
        print(f"{file_a.name}: {shape_a[0]}x{shape_a[1]}, max |a-b|/max|a| = {relative:.3e}, "
              f"{identical} of {len(a)} entries identical: {verdict}")
        ok = ok and relative <= tolerance
    print(f"largest relative difference {worst:.3e} (tolerance {tolerance:g})")
    return ok


TIME_LINE = re.compile(r"^( Tempo de processamento:)[ \d*]{3}h[ \d*]{3}m[ \d*]{3}s[ \d*]{3}cent\.$")


def normalised_lines(path):
    text = pathlib.Path(path).read_bytes().decode("latin-1").replace("\r\n", "\n")
    lines = text.split("\n")
    return [TIME_LINE.sub(r"\1 #h #m #s #cent.", line) for line in lines]


def compare_text(file_a, file_b):
    a, b = normalised_lines(file_a), normalised_lines(file_b)
    if len(a) < 3:
        print(f"{file_a}: only {len(a)} lines")
        return False
    if a == b:
        print(f"{file_a} and {file_b}: the same {len(a)} lines (line ends normalised, "
              "time digits masked)")
        return True
    for number, (x, y) in enumerate(zip(a, b), start=1):
        if x != y:
            print(f"{file_a}:{number}: {x!r}\n{file_b}:{number}: {y!r}")
            break
    else:
        print(f"{file_a}: {len(a)} lines, {file_b}: {len(b)} lines")
    return False


def check_line_ends(path, kind):
    data = pathlib.Path(path).read_bytes()
    lines = data.count(b"\n")
    with_cr = data.count(b"\r\n")
    ok = data.endswith(b"\n") and lines > 0 and (with_cr == lines if kind == "crlf" else with_cr == 0)
    print(f"{path}: {lines} lines, {with_cr} ending in CR LF: {'ok' if ok else 'WRONG'} for {kind}")
    return ok


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "matrices":
        ok = compare_matrices(sys.argv[2], sys.argv[3], float(sys.argv[4]))
    elif len(sys.argv) == 4 and sys.argv[1] == "text":
        ok = compare_text(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 4 and sys.argv[1] == "line-ends" and sys.argv[3] in ("crlf", "lf"):
        ok = check_line_ends(sys.argv[2], sys.argv[3])
    else:
        raise SystemExit(__doc__)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
