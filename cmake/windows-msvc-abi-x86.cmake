# Cross build for 32-bit Windows in the MSVC C++ ABI: Quillmar.dll for the 32-bit simulator
# (Orbiter 2016, Orbiter 2024 x86).
#   cmake -S . -B build-msvc-x86 -DCMAKE_TOOLCHAIN_FILE=cmake/windows-msvc-abi-x86.cmake
# What both architectures share is in windows-msvc-abi-common.cmake.
set(CMAKE_SYSTEM_PROCESSOR X86)
set(QM_MSVC_TARGET i686-pc-windows-msvc)
set(QM_MINGW_DEFAULT /usr/i686-w64-mingw32)
set(QM_DLLTOOL_MACHINE i386)
# clang in MSVC mode does not define _X86_, without which mingw-w64's winnt.h has no CONTEXT.
# clang's i686 default is the x87 unit alone; the simulator itself is built for SSE2.
set(QM_MSVC_ARCH_FLAGS "-D_X86_ -march=pentium4")
# lld-link turns SafeSEH on for x86, and mingw-w64's import-library members are not marked as
# compatible with it. The module installs no exception handlers of its own.
set(QM_MSVC_ARCH_LINK_FLAGS "-Xlinker /safeseh:no")
include(${CMAKE_CURRENT_LIST_DIR}/windows-msvc-abi-common.cmake)
