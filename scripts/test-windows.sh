#!/usr/bin/env bash
# The Windows build under Wine: cross-builds the module, the simulator and the Windows test program
# in build-win/ with mingw-w64, then runs under Wine (headless, debug output off):
#   - the test program (library entry, the DLL's export and import tables, crew ID folder search,
#     hand-over files, HUD text drawn by TextOutA on a memory device context);
#   - every example scenario with its script, whose transcript must equal the Linux one.
# Installs mingw-w64 and wine64 when missing; skips (exit 0) only when they cannot be installed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-2}
build="build-win"

if ! scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine64; then
  echo "== Windows tests skipped: mingw-w64 and wine64 could not be installed"
  exit 0
fi
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)

echo "== Windows cross build ($build)"
cmake -S tests/windows -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMAR_WERROR=ON >/dev/null
cmake --build "$build" -j"$jobs"

export WINEPREFIX="$root/$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64 DISPLAY=
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== Wine prefix ($WINEPREFIX)"
  wineboot -i >/dev/null 2>&1 || true
fi

echo "== Windows tests under Wine"
"$wine" "$build/tests/vesselsim.exe" "$build/Quillmar.dll" "$build/tests/exit_module_fixture.dll" |
  tr -d '\r'

echo "== Example scenarios: Windows transcript against Linux"
# The Linux reference: the plain build of scripts/test.sh when there is one.
linux=build
[ -f "$linux/CMakeCache.txt" ] || linux="build-win-linux"
cmake -S . -B "$linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$linux" -j"$jobs" --target vesselsim Quillmar
# Saved scenario files: equal word for word, except that numbers may differ in their last digits
# (the C libraries' trigonometric functions round differently).
same_within_rounding() {
  awk -v other="$2" '
    function number(t) { return t ~ /^[-+]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][-+]?[0-9]+)?$/ }
    function abs(v) { return v < 0 ? -v : v }
    {
      if ((getline theirs <other) <= 0) { print "  line " NR ": missing"; bad = 1; exit }
      n = split($0, a, /[ \t:,]+/); m = split(theirs, b, /[ \t:,]+/)
      if (n != m) { print "  line " NR ": " $0 " / " theirs; bad = 1; next }
      for (i = 1; i <= n; i++) {
        if (a[i] == b[i]) continue
        if (number(a[i]) && number(b[i]) && abs(a[i] - b[i]) <= 1e-9 * (1 + abs(a[i]))) continue
        print "  line " NR ": " $0 " / " theirs; bad = 1; break
      }
    }
    END { if (!bad && (getline theirs <other) > 0) { print "  extra lines"; bad = 1 }; exit bad }
  ' "$1"
}

# Each run works in a folder of its own, so what a script saves is compared too.
compare="$root/$build/compare"
compared=0
for scenario in examples/*.scn; do
  script=${scenario%.scn}.script
  [ -f "$script" ] || continue
  rm -rf "$compare" && mkdir -p "$compare/linux/build" "$compare/windows/build"
  (cd "$compare/linux" && "$root/$linux/vesselsim" "$root/$scenario" "$root/$script" >transcript)
  (cd "$compare/windows" &&
    "$wine" "$root/$build/vesselsim.exe" "$root/$scenario" "$root/$script" >transcript)
  # Files written on Windows may end their lines with CR LF.
  find "$compare/windows" -type f -exec sed -i 's/\r$//' {} +
  if ! cmp -s "$compare/linux/transcript" "$compare/windows/transcript"; then
    echo "FAILED: $scenario: the Windows transcript differs from the Linux one"
    diff "$compare/linux/transcript" "$compare/windows/transcript" | head -20
    exit 1
  fi
  (cd "$compare/linux" && find . -type f ! -name transcript | sort) >"$compare/linux.files"
  (cd "$compare/windows" && find . -type f ! -name transcript | sort) >"$compare/windows.files"
  if ! cmp -s "$compare/linux.files" "$compare/windows.files"; then
    echo "FAILED: $scenario: the runs saved different files"
    diff "$compare/linux.files" "$compare/windows.files"
    exit 1
  fi
  while read -r file; do
    same_within_rounding "$compare/linux/$file" "$compare/windows/$file" ||
      { echo "FAILED: $scenario: $file differs"; exit 1; }
  done <"$compare/linux.files"
  echo "ok   $scenario: transcript identical ($(wc -l <"$compare/linux/transcript") lines)," \
    "$(wc -l <"$compare/linux.files") saved file(s) equal"
  compared=$((compared + 1))
done
if [ "$compared" -eq 0 ]; then
  echo "FAILED: no example scenario with a script found"
  exit 1
fi
