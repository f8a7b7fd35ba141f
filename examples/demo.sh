#!/bin/sh
# Converts the 2D example drawing and shows what the converter produced.
# Usage: demo.sh PATH-TO-dgnbin   (run from the examples folder)
set -e
DGNBIN=${1:-../build/release/dgnbin}
rm -f plano2d.bin plano2d.ERR
echo "\$ dgnbin \"plano2d plano2d 1 0 0 0 0 1\""
status=0
"$DGNBIN" "plano2d plano2d 1 0 0 0 0 1" || status=$?
echo "exit status: $status"
echo
echo "Symbologies without a row in DGNBIN.TAB (plano2d.ERR):"
tr -d '\r' < plano2d.ERR | sed 's/^/    /'
echo
echo "plano2d.bin: $(wc -c < plano2d.bin | tr -d ' ') bytes"
exit $status
