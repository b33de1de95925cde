#!/usr/bin/env bash
# The libraries as the 32-bit Windows processor loads them: cross-builds bemfull.dll,
# bemdeep.dll and bemsurf.dll with MinGW-w64, checks their export and import tables, and runs
# the Windows test host and the Windows Fortran caller under Wine. Both must agree with the
# Linux build: rigidez to a relative 1e-12, the report and console texts line for line (line
# ends normalised, time digits masked). Exits non-zero on any difference.
#
# Where the machine cannot run 32-bit x86 code itself (its kernel has IA-32 emulation off),
# 32-bit Wine runs under QEMU's user-mode emulation, registered for i386 programs (as root).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
started=$SECONDS
objdump=i686-w64-mingw32-objdump
export WINEDEBUG=-all WINEPREFIX=$root/build-win32/wineprefix
export WINEDLLOVERRIDES="mscoree,mshtml=" # no .NET or browser installer in a fresh prefix
unset DISPLAY                             # console programs only; no window may open

step() { printf '\n== %s (%ds)\n' "$*" $((SECONDS - started)); }

step "packages"
if [ "$(id -u)" -eq 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt-get update -q
fi
bash scripts/install-deps.sh gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix \
  binutils-mingw-w64-i686 gfortran-mingw-w64-i686 wine wine32

if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "this machine does not run 32-bit x86 programs; using QEMU user-mode emulation"
  bash scripts/install-deps.sh qemu-user-static
  if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  fi
  if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    # 32-bit little-endian ELF executables and shared objects of machine 3 (i386).
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
      >/proc/sys/fs/binfmt_misc/register
  fi
  /usr/lib/wine/wine --version >/dev/null
fi

step "32-bit Windows DLLs"
cmake -S . -B build-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVELDRA_WERROR=ON \
  -DVELDRA_TESTS=OFF -DVELDRA_MANAGER=OFF -DVELDRA_TOOLS=OFF >/dev/null
cmake --build build-win32 -j "$(nproc)"

step "export and import tables"
failed=0
for entry in bemfull:kelvin3d bemdeep:mindlin3d bemsurf:boussinesq_cerruti3d; do
  lib=${entry%%:*}
  python3 tests/windows/check_dll.py "$objdump" "build-win32/libs/$lib/$lib.dll" \
    "_${entry##*:}@44" KERNEL32.dll msvcrt.dll || failed=1
done

step "Windows test host and Fortran caller"
cmake -S tests/windows -B build-win32/host -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DVELDRA_WERROR=ON -DVELDRA_FORTRAN=ON >/dev/null
cmake --build build-win32/host -j "$(nproc)"
for exe in bem_host fortran_caller; do
  python3 - "$objdump" "build-win32/host/$exe.exe" <<'PY' || failed=1
import re, subprocess, sys
imports = re.findall(r"DLL Name: (\S+)", subprocess.run([sys.argv[1], "-p", sys.argv[2]],
                     check=True, capture_output=True, text=True).stdout)
ok = sorted(i.lower() for i in imports) == ["kernel32.dll", "msvcrt.dll"]
print(f"{sys.argv[2]}: imports {imports}: {'ok' if ok else 'needs more than the system DLLs'}")
sys.exit(0 if ok else 1)
PY
done

step "Linux reference"
cmake -S . -B build-win32/linux -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELDRA_WERROR=ON \
  -DVELDRA_MANAGER=OFF -DVELDRA_TOOLS=OFF >/dev/null
cmake --build build-win32/linux -j "$(nproc)" --target bem_host
run=build-win32/run
rm -rf "$run"
mkdir -p "$run/linux" "$run/wine" "$run/dlls"
cp build-win32/libs/*/*.dll "$run/dlls/"
(cd "$run/linux" && printf '\n\n' |
  ../../linux/tests/windows/bem_host report.txt ../../linux/libs ../../../examples . \
    >console.txt 2>host.log) || { cat "$run/linux/host.log"; exit 1; }
cases=$(cd "$run/linux" && ls -- *.case | sed 's/\.case$//')

step "Wine prefix"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
test -f "$WINEPREFIX/system.reg"

step "Windows test host and Fortran caller under Wine"
# The report file name has a blank: the DLL must split the Windows command line itself.
(cd "$run/wine" && printf '\n\n' |
  wine ../../host/bem_host.exe "report file.txt" ../../libs ../../../examples . \
    >console.txt 2>host.log) &
host=$!
(cd "$run/linux" && BEM_DLL_DIR=../dlls wine ../../host/fortran_caller.exe . 1e-12 $cases \
  >fortran-wine.txt 2>&1) &
fortran=$!
wait $host || failed=1
wait $fortran || failed=1
wineserver -k || true
cat "$run/wine/host.log" "$run/linux/fortran-wine.txt"

step "comparison with the Linux build"
compare=tests/windows/compare.py
python3 $compare matrices "$run/linux" "$run/wine" 1e-12 || failed=1
python3 $compare text "$run/linux/report.txt" "$run/wine/report file.txt" || failed=1
python3 $compare text "$run/linux/console.txt" "$run/wine/console.txt" || failed=1
python3 $compare line-ends "$run/wine/report file.txt" crlf || failed=1
python3 $compare line-ends "$run/linux/report.txt" lf || failed=1

step "figures"
ls -l build-win32/libs/*/*.dll | awk '{print $5, $9}'
echo "time: $((SECONDS - started)) s"
if [ $failed -ne 0 ]; then
  echo "test-windows: FAILED"
  exit 1
fi
echo "test-windows: all checks passed"
