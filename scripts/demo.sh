#!/usr/bin/env bash
# Builds vesselsim and the module, then runs the sample scenario with its script: the transcript,
# then who is aboard which ship at the end, read from the scenario the script saves.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target vesselsim Quillmar
build/vesselsim examples/crew-exchange.scn examples/crew-exchange.script
saved=build/crew-exchange-after.scn
echo
echo "Aboard at the end (the crew lines of $saved; Pioneer's drawing: build/crew-exchange.svg):"
awk '
  /^BEGIN_SHIPS/ { ships = 1; next }
  /^END_SHIPS/ { ships = 0 }
  ships && /^[^ ]/ && $0 != "END" { split($0, header, ":"); ship = header[1]; next }
  ships && $1 == "UMMUCREW" { aboard[ship] = aboard[ship] (aboard[ship] ? ", " : "") $2 }
  END { for (ship in aboard) printf "  %s: %s\n", ship, aboard[ship] }' "$saved" | sort
