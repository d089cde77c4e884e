#!/usr/bin/env bash
# Builds the add-on packages, one for each module DLL, in the simulator's folder layout, and checks
# them: out/<package>/ and out/<package>.zip. Each package holds its DLL (built in the simulator's
# own C++ ABI from the project's declaration of its interface, with its imports checked against the
# released simulator's export list), the class file, the mesh made
# from the ship's tables and checked against them, the player scenarios (loaded in vesselsim with
# and without the crew add-on, stock classes only), the player's page with the ship's picture
# drawn from that mesh and its drawing (parsed, and checked against the module's key table) and
# INSTALL.txt. Part of scripts/test.sh, after scripts/test-msvc.sh, whose DLL build folders it
# reuses. The released simulator's exports and the vessel classes a fresh installation has are
# references of checks, not inputs (scripts/references.sh: QUILLMAR_ORBITER_DIR,
# QUILLMAR_RELEASED_EXPORTS, QUILLMAR_STOCK_CLASSES, or ../shared beside the project); without
# them the packages are made all the same and those checks say they were skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-2}
source scripts/references.sh

# One package for each module DLL:
#   architecture|DLL build folder|toolchain file|package|simulators that load it
packages=(
  "x64|build-msvc|cmake/windows-msvc-abi.cmake|Quillmar-x64|Orbiter 2024, 64-bit edition (x64)"
  "x86|build-msvc-x86|cmake/windows-msvc-abi-x86.cmake|Quillmar-x86|Orbiter 2016 and Orbiter 2024, 32-bit edition (x86)"
)
deps=(clang-14 lld-14 llvm-14 libc++-14-dev mingw-w64-x86-64-dev mingw-w64-i686-dev python3 zip)

scripts/install-deps.sh "${deps[@]}"
echo "== References: released exports: ${released_from:-none}; vessel classes: ${classes_from:-none}"

# The programs that make and check the package's files, from the plain build as scripts/test.sh
# configures it: the mesh and key tool, vesselsim and the Linux module it loads.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMAR_WERROR=ON >/dev/null
cmake --build build -j"$jobs" --target quillmar_package vesselsim Quillmar >/dev/null
tool=build/packaging/tool/quillmar_package
scenarios=(packaging/Scenarios/Quillmar/*.scn)

# The files every package holds besides its scenarios.
files=(Modules/Quillmar.dll Config/Vessels/Quillmar.cfg Meshes/quillmar.msh Doc/Quillmar.html
  Doc/Quillmar/quillmar.png Doc/Quillmar/quillmar-drawing.png INSTALL.txt)

make_package() {  # architecture, build folder, toolchain file, package, simulators
  local arch=$1 build=$2 toolchain=$3 name=$4 simulators=$5
  local package=out/$name
  echo "== $name: Quillmar.dll for $simulators ($build)"
  # A build folder that scripts/test-msvc.sh made is built on as it is.
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/$toolchain" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMAR_WERROR=ON >/dev/null
  fi
  cmake --build "$build" -j"$jobs" --target Quillmar >/dev/null
  # Only a DLL whose imports are the simulator's and the system's goes into the package.
  python3 scripts/check-msvc-imports.py --build "$build" "${released_args[@]}"
  [ -n "$released_from" ] || skipped "$name's DLL imports against a released simulator's exports" exports

  rm -rf "$package" "$package.zip"
  mkdir -p "$package/Modules" "$package/Config/Vessels" "$package/Meshes" \
    "$package/Scenarios/Quillmar" "$package/Doc/Quillmar"
  # The image carries no debug information or symbol table (linked with /debug:none); its machine
  # is the package's.
  cp "$build/Quillmar.dll" "$package/Modules/"
  python3 - "$package/Modules/Quillmar.dll" "$arch" <<'PY'
import struct, sys
machines = {"x64": 0x8664, "x86": 0x14C}
with open(sys.argv[1], "rb") as f:
    image = f.read(4096)
offset = struct.unpack_from("<I", image, 0x3C)[0]
machine = struct.unpack_from("<H", image, offset + 4)[0]
if image[:2] != b"MZ" or image[offset:offset + 4] != b"PE\0\0" or machine != machines[sys.argv[2]]:
    sys.exit(f"FAILED: {sys.argv[1]} is not an image for {sys.argv[2]} (machine {machine:#x})")
PY
  cp packaging/Config/Vessels/Quillmar.cfg "$package/Config/Vessels/"
  cp "${scenarios[@]}" "$package/Scenarios/Quillmar/"
  "$tool" page packaging/Doc/Quillmar.html "$package/Doc/Quillmar.html"
  cp docs/quillmar-drawing.png "$package/Doc/Quillmar/"
  # Notepad of older Windows wants CR LF.
  sed -e "s/@PACKAGE@/$name/g" -e "s/@SIMULATORS@/$simulators/g" -e "s/@ARCH@/$arch/g" \
    -e 's/$/\r/' packaging/INSTALL.txt.in >"$package/INSTALL.txt"
  "$tool" mesh "$package/Meshes/quillmar.msh"

  # The mesh as the simulator's reader takes it: header, group and vertex counts, triangle
  # indices within their group, LF line endings, and the ship's length along z; then its
  # materials, ports and nozzles where the ship's tables put them; then its picture, drawn from
  # the file.
  awk '
    function fail(why) { print "quillmar.msh line " NR ": " why; bad = 1; exit 1 }
    /\r/ { fail("CR in line") }
    NR == 1 { if ($0 != "MSHX1") fail("first line is not MSHX1"); next }
    NR == 2 { if ($1 != "GROUPS" || NF != 2) fail("no GROUPS line"); groups = $2; next }
    vertices > 0 { if (NF != 6) fail("vertex line needs 6 numbers"); vertices--
                   if (!read++) zmin = zmax = $3
                   if ($3 < zmin) zmin = $3; if ($3 > zmax) zmax = $3; next }
    triangles > 0 { if (NF != 3) fail("triangle line needs 3 indices"); triangles--
                    for (i = 1; i <= 3; i++) if ($i < 0 || $i >= count) fail("index out of range"); next }
    $1 == "GEOM" && NF == 3 { seen++; vertices = count = $2; triangles = $3; next }
    ($1 == "LABEL" || $1 == "MATERIAL") && NF == 2 && !trailer { next }
    # The materials after the groups, read by check-mesh below.
    ($1 == "MATERIALS" || $1 == "TEXTURES") && NF == 2 { trailer = 1; next }
    trailer { next }
    { fail("unexpected line: " $0) }
    END {
      if (bad) exit 1
      if (seen != groups || vertices || triangles) { print "quillmar.msh: counts do not add up"; exit 1 }
      if (zmax - zmin < 544.5 || zmax - zmin > 546) { print "quillmar.msh: length " zmax - zmin; exit 1 }
    }' "$package/Meshes/quillmar.msh"
  "$tool" check-mesh "$package/Meshes/quillmar.msh"
  "$tool" render "$package/Meshes/quillmar.msh" "$package/Doc/Quillmar/quillmar.png"
  python3 scripts/check-player-scenarios.py --vesselsim build/vesselsim \
    "${classes_args[@]}" "$package"/Scenarios/Quillmar/*.scn
  [ -n "$classes_from" ] ||
    skipped "$name's scenarios' vessel classes against a fresh installation's" classes
  "$tool" keys | python3 scripts/check-player-page.py "$package/Doc/Quillmar.html"

  local missing=0 file
  for file in "${files[@]}" "${scenarios[@]/#packaging/}"; do
    file=${file#/}
    if [ ! -s "$package/$file" ]; then
      echo "FAILED: $package/$file is missing or empty"
      missing=1
    fi
  done
  [ "$missing" -eq 0 ] || return 1
  (cd "$package" && zip -q -X -r "$root/$package.zip" .)
  # The zip holds exactly the package's files.
  diff <(cd "$package" && find . -type f | sed 's|^\./||' | sort) \
    <(python3 -c 'import sys, zipfile; print("\n".join(sorted(n for n in zipfile.ZipFile(sys.argv[1]).namelist() if not n.endswith("/"))))' "$package.zip")
  echo "$package.zip ($(stat -c %s "$package.zip") bytes):"
  (cd "$package" && find . -type f | sort | sed 's|^\./|  |')
}

for row in "${packages[@]}"; do
  IFS='|' read -r arch build toolchain name simulators <<<"$row"
  make_package "$arch" "$build" "$toolchain" "$name" "$simulators"
done
