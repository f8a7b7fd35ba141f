#!/bin/sh
# make test-windows: the Windows programs in build/windows (argument 1)
# against the Linux ones in build/release (argument 2). Their import tables
# hold no mathematics, number reading or number printing of msvcrt.dll;
# under Wine their mathematics and number reading are compared with glibc's,
# the end-to-end cases give what they give on Linux, and the examples and
# sample drawings, converted one by one and by the batch, give the Linux
# programs' BIN and error files and console.
set -eu
windows=$(cd "$1" && pwd)
linux=$(cd "$2" && pwd)
samples=$(dirname "$0")/../../../shared/samples
failed=0
fail() { echo "test-windows: FALLO $*"; failed=1; }

for exe in dgnbin kelobin dgnbin-batch; do
  imported=$(x86_64-w64-mingw32-objdump -p "$windows/$exe.exe" |
    awk '/DLL Name:/ { dll = $3; next } dll == "msvcrt.dll" && NF == 3 && $1 ~ /^[0-9a-f]+$/ { print $3 }' |
    grep -E '^(_?(sin|cos|tan|asin|acos|atan2?|pow|sqrt|exp|log|log10|floor|ceil|fmod|modf|frexp|ldexp|hypot)f?|.*printf|.*scanf|_?(strto|wcsto|ato|_ato|ecvt|fcvt|gcvt|itoa|ltoa|ultoa|i64toa|ui64toa).*)$' || true)
  [ -z "$imported" ] || fail "$exe.exe importa de msvcrt.dll: $imported"
done
echo "test-windows: tablas de importacion revisadas"

if ! command -v wine >/dev/null 2>&1; then
  echo "test-windows: Wine no esta instalado; se omiten las pruebas bajo Wine"
  exit $failed
fi
# One wineserver for every run, in a prefix of the build's own.
export WINEPREFIX="$windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
wineserver -p 2>/dev/null || true  # already running for this prefix
trap 'wineserver -k 2>/dev/null || true' EXIT
wine cmd /c exit >/dev/null 2>&1 || true

"$linux/dgnbin_maths_compare" write "$windows/maths.bin"
wine "$windows/dgnbin_maths_compare.exe" check "$windows/maths.bin" | tr -d '\r' ||
  fail "matematicas o lectura de numeros distintas de glibc"

work=$(mktemp -d)
trap 'rm -rf "$work"; wineserver -k 2>/dev/null || true' EXIT
mkdir -p "$work/linux" "$work/windows"
for dir in linux windows; do
  cp "$(dirname "$0")/../../examples/DGNBIN.TAB" "$(dirname "$0")"/../../examples/*.dgn "$work/$dir/"
  [ -d "$samples" ] && cp "$samples"/*.dgn "$work/$dir/"
done
started=$(date +%s.%N)
runs=0
compare() {  # folder, drawing, words
  (cd "$work/linux/$1" && "$linux/dgnbin" "$2 $2 $3" >"$2.out" 2>/dev/null || true)
  (cd "$work/windows/$1" && wine "$windows/dgnbin.exe" "$2 $2 $3" 2>/dev/null |
    tr -d '\r' >"$2.out" || true)
  runs=$((runs + 1))
  for file in "$2.bin" "$2.ERR" "$2.out"; do
    if ! cmp -s "$work/linux/$1/$file" "$work/windows/$1/$file"; then
      fail "$1/$file con \"$3\" no es el de Linux"
    fi
  done
}
for drawing in "$work"/linux/*.dgn; do
  base=$(basename "$drawing" .dgn)
  for settings in "1 0 0 0 0 1" "1 1 1 0 0 2" "0.1 2 0 0 1000.5 0" "99 0 0 0 0 1"; do
    compare . "$base" "$settings"
  done
done
echo "test-windows: $runs conversiones comparadas ($(awk "BEGIN { printf \"%.2f\", ($(date +%s.%N) - $started) / $runs }") s cada una bajo Wine)"

# The end-to-end cases, with the expectations the Linux programs meet; number
# reading on both systems is among them (tests/cases/numbers).
if ! "$linux/dgnbin_cases" --programs "$windows" --windows --wrapper wine \
  "$(dirname "$0")"/../cases/*/*/ >"$work/cases.out"; then
  grep -v '^skip ' "$work/cases.out" | head -40
  fail "casos de extremo a extremo"
fi
echo "test-windows: casos: $(tail -n 1 "$work/cases.out")"
grep '^skip ' "$work/cases.out" || true

# The batch: every drawing of a folder at once, beside itself.
mkdir -p "$work/batch/planos"
cp "$work/linux/DGNBIN.TAB" "$work/batch/" && cp "$work"/linux/*.dgn "$work/batch/planos/"
# Some drawings fail with these settings, as with dgnbin.
(cd "$work/batch" && wine "$windows/dgnbin-batch.exe" -j 100 "1 0 0 0 0 1" planos \
  >"$work/batch.out" 2>"$work/batch.err") || true
grep -q "se hacen\|como mucho" "$work/batch.err" || fail "dgnbin-batch.exe no limita -j 100"
for drawing in "$work"/batch/planos/*.dgn; do
  base=$(basename "$drawing" .dgn)
  (cd "$work/linux" && "$linux/dgnbin" "$base $base 1 0 0 0 0 1" >/dev/null 2>&1 || true)
  for file in "$base.bin" "$base.ERR"; do
    cmp -s "$work/linux/$file" "$work/batch/planos/$file" || fail "dgnbin-batch.exe: $file"
  done
done
echo "test-windows: dgnbin-batch.exe convierte la carpeta como dgnbin"

# A BIN file held open by another program is not replaced: after a second
# of trying, the write failure, and the previous file stays.
mkdir -p "$work/held"
cp "$work/linux/DGNBIN.TAB" "$work/linux/plano2d.dgn" "$work/held/"
printf 'anterior' >"$work/held/plano2d.bin"
status=0
(cd "$work/held" && wine "$windows/dgnbin_hold_open.exe" plano2d.bin "$windows/dgnbin.exe" \
  "plano2d plano2d 1 0 0 0 0 1" >"$work/held.out" 2>"$work/held.err") || status=$?
[ "$status" = 1 ] || fail "un BIN abierto por otro programa acaba con $status"
grep -q "ERROR No puedo escribir en el fichero BIN plano2d.bin" "$work/held.out" ||
  fail "un BIN abierto por otro programa no da el error de escritura"
grep -q "plano2d.bin: lo tiene abierto otro programa" "$work/held.err" ||
  fail "un BIN abierto por otro programa no dice por que: $(cat "$work/held.err")"
[ "$(cat "$work/held/plano2d.bin")" = anterior ] || fail "el BIN abierto por otro programa cambio"
[ -z "$(find "$work/held" -name '.*.tmp')" ] || fail "quedan ficheros temporales"
echo "test-windows: un BIN abierto por otro programa queda como estaba"
exit $failed
