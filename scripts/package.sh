#!/usr/bin/env bash
# Builds the add-on package in the simulator's folder layout: out/Quillmar-addon/ and
# out/Quillmar-addon.zip. Builds Quillmar.dll for the 64-bit simulator first, in its own C++ ABI
# against its SDK headers (build-msvc/, as scripts/test-msvc.sh does; the SDK include folder is
# ../shared/orbitersdk/include beside the project unless QUILLMAR_SDK_DIR names another).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build="build-msvc"
sdk=${QUILLMAR_SDK_DIR:-$root/../shared/orbitersdk/include}
package=out/Quillmar-addon

scripts/install-deps.sh clang-14 lld-14 llvm-14 libc++-14-dev mingw-w64-x86-64-dev python3 zip
if [ ! -f "$sdk/Orbitersdk.h" ]; then
  echo "no Orbitersdk.h in $sdk: set QUILLMAR_SDK_DIR to the SDK's include folder"
  exit 1
fi
sdk=$(cd "$sdk" && pwd)
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/windows-msvc-abi.cmake" \
  -DQUILLMAR_SDK_DIR="$sdk" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"${JOBS:-2}" --target Quillmar
# Only a DLL whose imports are the simulator's and the system's goes into the package.
python3 scripts/check-msvc-imports.py --build "$build" \
  --sdk-source "${QUILLMAR_SDK_SOURCE:-$sdk/../Orbitersdk.cpp}"

rm -rf "$package" "$package.zip"
mkdir -p "$package/Modules" "$package/Config/Vessels" "$package/Meshes" "$package/Scenarios/Quillmar"
# The image carries no debug information or symbol table (linked with /debug:none).
cp "$build/Quillmar.dll" "$package/Modules/Quillmar.dll"
cp packaging/Config/Vessels/Quillmar.cfg "$package/Config/Vessels/"
python3 packaging/make_mesh.py vessel/ShipTables.h "$package/Meshes/quillmar.msh"
# The mesh as a reader takes it: header, group and vertex counts, triangle indices within their
# group, LF line endings, and the ship's length along z.
awk '
  function fail(why) { print "quillmar.msh line " NR ": " why; bad = 1; exit 1 }
  /\r/ { fail("CR in line") }
  NR == 1 { if ($0 != "MSHX1") fail("first line is not MSHX1"); next }
  NR == 2 { if ($1 != "GROUPS" || NF != 2) fail("no GROUPS line"); groups = $2; next }
  vertices > 0 { if (NF != 6) fail("vertex line needs 6 numbers"); vertices--
                 if (NR == 4 || $3 < zmin) zmin = $3; if (NR == 4 || $3 > zmax) zmax = $3; next }
  triangles > 0 { if (NF != 3) fail("triangle line needs 3 indices"); triangles--
                  for (i = 1; i <= 3; i++) if ($i < 0 || $i >= count) fail("index out of range"); next }
  $1 == "GEOM" && NF == 3 { seen++; vertices = count = $2; triangles = $3; next }
  { fail("unexpected line: " $0) }
  END {
    if (bad) exit 1
    if (seen != groups || vertices || triangles) { print "quillmar.msh: counts do not add up"; exit 1 }
    if (zmax - zmin < 544.5 || zmax - zmin > 546) { print "quillmar.msh: length " zmax - zmin; exit 1 }
  }' "$package/Meshes/quillmar.msh"
cp examples/*.scn "$package/Scenarios/Quillmar/"
cp packaging/INSTALL.txt "$package/"
(cd "$package" && zip -q -X -r "$root/$package.zip" .)
echo "$package/"
(cd "$package" && find . -type f | sort | sed 's|^\./|  |')
echo "$package.zip ($(stat -c %s "$package.zip") bytes)"
