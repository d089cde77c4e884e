#!/usr/bin/env bash
# Builds vesselsim and the module, then runs the sample scenario with its script.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target vesselsim Quillmar
exec build/vesselsim examples/crew-exchange.scn examples/crew-exchange.script
