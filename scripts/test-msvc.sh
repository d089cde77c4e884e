#!/usr/bin/env bash
# The modules players load: Quillmar.dll in the simulator's own C++ ABI (MSVC's), for the 64-bit
# simulator in build-msvc/ and for the 32-bit one in build-msvc-x86/, each built against the
# simulator's SDK headers, then for each
#   - the checker of its imports and exports (scripts/check-msvc-imports.py), after its own test on
#     names it must reject: against the SDK, and against the released simulator's export list;
#   - the Windows test host, an orbiter.exe built in the same ABI from the same headers, loading
#     and driving the DLL under Wine (headless, debug output off).
# The SDK include folder is ../shared/orbitersdk/include beside the project unless QUILLMAR_SDK_DIR
# names another; InitLib and Date2Int are checked against the SDK's library source, Orbitersdk.cpp
# beside that folder unless QUILLMAR_SDK_SOURCE names it; the released export list is
# exports-2016.txt there unless QUILLMAR_RELEASED_EXPORTS names it. Installs the Debian packages it
# needs, the 32-bit Wine among them.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-2}
sdk=${QUILLMAR_SDK_DIR:-$root/../shared/orbitersdk/include}
sdk_source=${QUILLMAR_SDK_SOURCE:-$sdk/../Orbitersdk.cpp}
released_exports=${QUILLMAR_RELEASED_EXPORTS:-$sdk/../exports-2016.txt}

# The 32-bit Wine is a package of Debian's i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  if [ "$(id -u)" -eq 0 ]; then dpkg --add-architecture i386; else sudo dpkg --add-architecture i386; fi
fi
scripts/install-deps.sh clang-14 lld-14 llvm-14 libc++-14-dev mingw-w64-x86-64-dev \
  mingw-w64-i686-dev wine64 wine32:i386 python3
if [ ! -f "$sdk/Orbitersdk.h" ]; then
  echo "FAILED: no Orbitersdk.h in $sdk: set QUILLMAR_SDK_DIR to the SDK's include folder"
  exit 1
fi
sdk=$(cd "$sdk" && pwd)
if [ ! -f "$released_exports" ]; then
  echo "FAILED: no released export list $released_exports: set QUILLMAR_RELEASED_EXPORTS"
  exit 1
fi

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
  echo "== MSVC-ABI build, $arch ($build, SDK $sdk)"
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" \
    -DQUILLMAR_SDK_DIR="$sdk" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMAR_WERROR=ON >/dev/null
  cmake --build "$build" -j"$jobs"

  local check=(python3 scripts/check-msvc-imports.py --build "$build" --sdk-source "$sdk_source"
    --released-exports "$released_exports")
  echo "== The import checker tells wrong names from right ones ($arch)"
  "${check[@]}" --self-test
  echo "== $build/Quillmar.dll's imports and exports against the SDK and the released simulator"
  "${check[@]}"

  local host="$build/orbiter-host/orbiter.exe"
  if [ ! -f "$host" ]; then
    echo "FAILED: $host was not built"
    exit 1
  fi
  local output="$build/orbiter-host/output.txt"
  if [ "$arch" = x86 ] && ! runs_32bit_programs; then
    echo "== orbiter.exe ($arch) drives $build/Quillmar.dll under Wine in a virtual machine"
    echo "   (this machine's kernel runs no 32-bit programs; the first run makes a Wine prefix there)"
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
