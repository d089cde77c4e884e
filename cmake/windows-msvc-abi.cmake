# Cross build for 64-bit Windows in the MSVC C++ ABI: Quillmar.dll for the 64-bit simulator
# (Orbiter 2024 x64).
#   cmake -S . -B build-msvc -DCMAKE_TOOLCHAIN_FILE=cmake/windows-msvc-abi.cmake
# What both architectures share is in windows-msvc-abi-common.cmake.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(QM_MSVC_TARGET x86_64-pc-windows-msvc)
set(QM_MINGW_DEFAULT /usr/x86_64-w64-mingw32)
set(QM_DLLTOOL_MACHINE i386:x86-64)
set(QM_MSVC_ARCH_FLAGS "")
set(QM_MSVC_ARCH_LINK_FLAGS "")
include(${CMAKE_CURRENT_LIST_DIR}/windows-msvc-abi-common.cmake)
