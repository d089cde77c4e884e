#!/usr/bin/env bash
# The module players load: Quillmar.dll in the simulator's own C++ ABI (MSVC's), built in
# build-msvc/ against the simulator's SDK headers, then
#   - the checker of its imports and exports against the SDK (scripts/check-msvc-imports.py),
#     after its own test on names it must reject;
#   - the Windows test host, an orbiter.exe built in the same ABI from the same headers, loading
#     and driving the DLL under Wine (headless, debug output off).
# The SDK include folder is ../shared/orbitersdk/include beside the project unless QUILLMAR_SDK_DIR
# names another; InitLib and Date2Int are checked against the SDK's library source, Orbitersdk.cpp
# beside that folder unless QUILLMAR_SDK_SOURCE names it. Installs the Debian packages it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-2}
build="build-msvc"
sdk=${QUILLMAR_SDK_DIR:-$root/../shared/orbitersdk/include}
sdk_source=${QUILLMAR_SDK_SOURCE:-$sdk/../Orbitersdk.cpp}

scripts/install-deps.sh clang-14 lld-14 llvm-14 libc++-14-dev mingw-w64-x86-64-dev wine64 python3
if [ ! -f "$sdk/Orbitersdk.h" ]; then
  echo "FAILED: no Orbitersdk.h in $sdk: set QUILLMAR_SDK_DIR to the SDK's include folder"
  exit 1
fi
sdk=$(cd "$sdk" && pwd)

echo "== MSVC-ABI build ($build, SDK $sdk)"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/windows-msvc-abi.cmake" \
  -DQUILLMAR_SDK_DIR="$sdk" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMAR_WERROR=ON >/dev/null
cmake --build "$build" -j"$jobs"

check=(python3 scripts/check-msvc-imports.py --build "$build" --sdk-source "$sdk_source")
echo "== The import checker tells wrong names from right ones"
"${check[@]}" --self-test
echo "== Quillmar.dll's imports and exports against the SDK"
"${check[@]}"

host="$build/orbiter-host/orbiter.exe"
if [ ! -f tests/orbiter-host/CMakeLists.txt ]; then
  echo "== Wine test skipped: there is no tests/orbiter-host in this tree"
  exit 0
fi
if [ ! -f "$host" ]; then
  echo "FAILED: $host was not built"
  exit 1
fi

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
# A prefix of this build's own, made once; no display, no Mono or Gecko installers.
export WINEPREFIX="$root/$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64 DISPLAY=
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== Wine prefix ($WINEPREFIX)"
  "$wine" wineboot -i >/dev/null 2>&1 || true
fi

echo "== orbiter.exe drives Quillmar.dll under Wine"
"$wine" "$host" "$build/Quillmar.dll" examples/root | tr -d '\r'
