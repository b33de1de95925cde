#!/usr/bin/env python3
"""Checks a built 32-bit DLL as the outside processor sees it, from its PE headers.

  check_dll.py OBJDUMP DLL EXPORT [ALLOWED_IMPORT ...]

- The export table holds exactly EXPORT (e.g. _kelvin3d@44), by name.
- The imported DLLs are exactly the ALLOWED_IMPORT names (case-insensitive), nothing else.
- The exported function is the standard call one: it lies at the export's address and every
  return in it removes the arguments, ret $0x2c for 44 bytes (the size in the decoration).
Exit status 0 when all hold; every difference is printed."""
import re
import subprocess
import sys


def objdump(tool, *arguments):
    return subprocess.run([tool, *arguments], check=True, capture_output=True, text=True).stdout


def exports_and_imports(tool, dll):
    headers = objdump(tool, "-p", dll)
    names = re.findall(r"^\s*\[\s*\d+\] (\S+)$",
                       headers.split("[Ordinal/Name Pointer] Table", 1)[-1].split("\n\n", 1)[0],
                       re.M) if "[Ordinal/Name Pointer] Table" in headers else []
    rvas = re.findall(r"\[\s*\d+\] \+base\[\s*\d+\]\s+([0-9a-f]+) Export RVA", headers)
    image_base = int(re.search(r"^ImageBase\s+([0-9a-f]+)$", headers, re.M).group(1), 16)
    imports = re.findall(r"^\s*DLL Name: (\S+)$", headers, re.M)
    return names, [image_base + int(r, 16) for r in rvas], imports


def returns_of(tool, dll, symbol):
    listing = objdump(tool, "-d", f"--disassemble={symbol}", dll)
    start = re.search(r"^([0-9a-f]+) <" + re.escape(symbol) + r">:$", listing, re.M)
    rets = re.findall(r"\t(ret[a-z]*)\s*(\S*)\s*$", listing, re.M)
    return (int(start.group(1), 16) if start else None), rets


def main():
    if len(sys.argv) < 4:
        raise SystemExit(__doc__)
    tool, dll, export, allowed = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    problems = []
    names, addresses, imports = exports_and_imports(tool, dll)
    if names != [export]:
        problems.append(f"exports {names}, expected exactly [{export!r}]")
    wanted = sorted(a.lower() for a in allowed)
    if sorted(i.lower() for i in imports) != wanted:
        problems.append(f"imports {imports}, expected exactly {allowed}")
    start, rets = returns_of(tool, dll, export)
    if start is None:
        problems.append(f"no function {export} in the symbol table")
    elif addresses != [start]:
        problems.append(f"export address {[hex(a) for a in addresses]}, function at {start:#x}")
    if not rets:
        problems.append(f"{export}: no return instruction found")
    for mnemonic, operand in rets:
        if operand != "$0x2c":
            problems.append(f"{export}: '{mnemonic} {operand}' does not remove 44 bytes")
    print(f"{dll}: exports {names}, imports {imports}, "
          f"{len(rets)} return(s) {sorted(set(o for _, o in rets))}")
    for p in problems:
        print(f"{dll}: {p}")
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
