#!/usr/bin/env bash
# The modules players load: Quillmar.dll in the simulator's own C++ ABI (MSVC's), for the 64-bit
# simulator in build-msvc/ and for the 32-bit one in build-msvc-x86/, each built from the project's
# own declaration of the simulator's interface (host/), then for each
#   - the ABI check (scripts/check-abi.py), after its own test on altered declarations it must
#     name: host/ against the table of the simulator's slots, layouts, decorated names and constants
#     (host/abi/AbiTable.h);
#   - the checker of its imports and exports (scripts/check-msvc-imports.py), after its own test on
#     names it must reject and on a hand-made orbiter.exe that lacks one of them: against host/,
#     and against the released simulator's exports;
#   - the Windows test host, an orbiter.exe built in the same ABI, loading the DLL and driving it
#     under Wine (headless, debug output off), calling its callbacks by the table's slots.
# The released simulator's exports and an installation's Orbitersdk/include are references, not
# inputs (scripts/references.sh: QUILLMAR_ORBITER_DIR, QUILLMAR_RELEASED_EXPORTS, QUILLMAR_SDK_DIR,
# or ../shared beside the project); a check without its reference is skipped with one line. With
# an installation's Orbitersdk/include, the ABI check and the import checker's signature probe
# also run against it: a check, not a second build. Installs the Debian packages it needs, the
# 32-bit Wine among them.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-2}
source scripts/references.sh
installation=$sdk_include

# The 32-bit Wine is a package of Debian's i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  if [ "$(id -u)" -eq 0 ]; then dpkg --add-architecture i386; else sudo dpkg --add-architecture i386; fi
fi
scripts/install-deps.sh clang-14 lld-14 llvm-14 libc++-14-dev mingw-w64-x86-64-dev \
  mingw-w64-i686-dev wine64 wine32:i386 python3
echo "== References: released exports: ${released_from:-none}; interface headers: ${installation:-none, host/ against its own ABI table only}"

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
# One prefix for both test hosts, made once; no display, no Mono or Gecko installers.
export WINEPREFIX="$root/build-msvc/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64 DISPLAY=
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT

# The 32-bit Wine runs only where the kernel runs 32-bit programs: some virtual machines' kernels
# (this project's build machines among them) run none, and say so with "Exec format error". There
# the x86 host runs in a virtual machine whose kernel does (scripts/run-x86-host-vm.sh).
runs_32bit_programs() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

# A host's last line counts its checks. Both architectures run the same checks, so the x86 host
# passes exactly as many as the x64 one, which runs first.
x64_passed=
check_summary() {  # architecture, the host's output
  local summary
  summary=$(tail -1 "$2")
  if [[ ! $summary =~ ^([0-9]+)\ passed,\ 0\ failed$ ]]; then
    echo "FAILED: orbiter.exe ($1) did not end with \"N passed, 0 failed\": $summary"
    exit 1
  fi
  if [ "$1" = x64 ]; then
    x64_passed=${BASH_REMATCH[1]}
  elif [ "${BASH_REMATCH[1]}" != "$x64_passed" ]; then
    echo "FAILED: orbiter.exe ($1) passed ${BASH_REMATCH[1]} checks, the x64 one $x64_passed"
    exit 1
  fi
}

test_dll() {  # architecture, build folder, toolchain file
  local arch=$1 build=$2 toolchain=$3
  echo "== MSVC-ABI build, $arch ($build)"
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMAR_WERROR=ON >/dev/null
  cmake --build "$build" -j"$jobs"

  local against=()
  [ -z "$installation" ] || against=(--installation "$installation")
  echo "== The ABI check names what an altered declaration changes ($arch)"
  python3 scripts/check-abi.py --build "$build" --self-test
  echo "== host/ against the simulator's ABI table ($arch)${installation:+, and $installation}"
  python3 scripts/check-abi.py --build "$build" "${against[@]}"
  [ -n "$installation" ] ||
    skipped "host/ against an installation's Orbitersdk/include ($arch)" headers

  local check=(python3 scripts/check-msvc-imports.py --build "$build" "${released_args[@]}")
  echo "== The import checker tells wrong names from right ones ($arch)"
  "${check[@]}" --self-test
  echo "== $build/Quillmar.dll's imports and exports against host/${released_from:+ and $released_from}"
  "${check[@]}" "${against[@]}"
  [ -n "$released_from" ] ||
    skipped "$build/Quillmar.dll's imports against a released simulator's exports" exports

  local host="$build/orbiter-host/orbiter.exe"
  if [ ! -f "$host" ]; then
    echo "FAILED: $host was not built"
    exit 1
  fi
  local output="$build/orbiter-host/output.txt"
  if [ "$arch" = x86 ] && ! runs_32bit_programs; then
    echo "== orbiter.exe ($arch) drives $build/Quillmar.dll under Wine in a virtual machine"
    echo "   (this machine's kernel runs no 32-bit programs; a first run makes a Wine prefix there)"
    scripts/run-x86-host-vm.sh "$host" "$build/Quillmar.dll" examples/root | tee "$output"
  else
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "== Wine prefix ($WINEPREFIX)"
      "$wine" wineboot -i >/dev/null 2>&1 || true
      # wineboot returns before the prefix's 32-bit half (syswow64) is installed, by Wine processes
      # that go on after it: the x86 host started earlier would find no kernel32.dll.
      "$wineserver" -w
    fi
    echo "== orbiter.exe ($arch) drives $build/Quillmar.dll under Wine"
    "$wine" "$host" "$build/Quillmar.dll" examples/root | tr -d '\r' | tee "$output"
  fi
  check_summary "$arch" "$output"
}

test_dll x64 build-msvc windows-msvc-abi.cmake
test_dll x86 build-msvc-x86 windows-msvc-abi-x86.cmake
