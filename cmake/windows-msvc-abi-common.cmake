# What the two cross builds in the MSVC C++ ABI, the ABI of the simulator's own orbiter.exe, share:
# clang 14 targeting *-pc-windows-msvc, lld-link, libc++'s headers, mingw-w64's C and Windows
# headers and import libraries, all Debian packages. Included by windows-msvc-abi.cmake (x64) and
# windows-msvc-abi-x86.cmake (x86), which set first:
#   CMAKE_SYSTEM_PROCESSOR, QM_MSVC_TARGET (the compiler's target triple), QM_MINGW_DEFAULT
#   (mingw-w64's folder of that architecture, QUILLMAR_MINGW_ROOT's default),
#   QM_DLLTOOL_MACHINE (llvm-dlltool -m), QM_MSVC_ARCH_FLAGS (compiler flags of that architecture),
#   QM_MSVC_ARCH_LINK_FLAGS (linker flags of that architecture).
# There is no MSVC runtime library here: host/msvc/ supplies the few pieces a module or a test
# program needs from it (start-up, initialisers, operator new, ...).
set(CMAKE_SYSTEM_NAME Windows)

# The tools' and libraries' folders a build may set. QM_LLVM_ROOT and QM_MINGW_ROOT are their
# older names: an entry of one of those moves to the new name.
foreach(name LLVM_ROOT MINGW_ROOT)
  if(DEFINED CACHE{QM_${name}})
    set(QUILLMAR_${name} $CACHE{QM_${name}} CACHE PATH "" FORCE)
    unset(QM_${name} CACHE)
  endif()
endforeach()
set(QUILLMAR_LLVM_ROOT /usr/lib/llvm-14 CACHE PATH
  "LLVM 14 installation (clang, lld-link, llvm tools)")
set(QUILLMAR_MINGW_ROOT ${QM_MINGW_DEFAULT} CACHE PATH "mingw-w64 headers and import libraries")

set(CMAKE_C_COMPILER ${QUILLMAR_LLVM_ROOT}/bin/clang)
set(CMAKE_CXX_COMPILER ${QUILLMAR_LLVM_ROOT}/bin/clang++)
set(CMAKE_C_COMPILER_TARGET ${QM_MSVC_TARGET})
set(CMAKE_CXX_COMPILER_TARGET ${QM_MSVC_TARGET})
set(CMAKE_RC_COMPILER ${QUILLMAR_LLVM_ROOT}/bin/llvm-rc)
set(CMAKE_AR ${QUILLMAR_LLVM_ROOT}/bin/llvm-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${QUILLMAR_LLVM_ROOT}/bin/llvm-ranlib CACHE FILEPATH "")
set(CMAKE_LINKER ${QUILLMAR_LLVM_ROOT}/bin/lld-link CACHE FILEPATH "")
set(QM_DLLTOOL ${QUILLMAR_LLVM_ROOT}/bin/llvm-dlltool)
set(QM_LLVM_NM ${QUILLMAR_LLVM_ROOT}/bin/llvm-nm)

# The compiler's own check programs cannot link before host/msvc/ exists.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(CMAKE_FIND_ROOT_PATH ${QUILLMAR_MINGW_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/cross-packages/nlohmann_json CACHE PATH "")

# Headers: libc++ for C++, clang's own, then mingw-w64's C runtime (ucrt flavour) and Windows
# headers. -fgnuc-version makes the mingw headers take their GNU paths, which clang parses in MSVC
# mode; without it they fail on MSVC-only constructs. libc++ has no vcruntime to lean on, no
# library build for Windows (no extern templates, no dllimport annotations) and no exceptions here.
# The force-included header declares the two ucrt functions libc++'s <locale> wants and mingw's
# <stdlib.h> leaves out.
set(QM_MSVC_FORCE_INCLUDE ${CMAKE_CURRENT_LIST_DIR}/../host/msvc/UcrtLocaleFunctions.h)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-resource-dir
  OUTPUT_VARIABLE QM_CLANG_RESOURCE_DIR OUTPUT_STRIP_TRAILING_WHITESPACE)
string(JOIN " " QM_MSVC_COMMON_FLAGS
  -fms-compatibility-version=19.29 -fgnuc-version=12 -nostdinc
  -isystem ${QM_CLANG_RESOURCE_DIR}/include
  -isystem ${QUILLMAR_MINGW_ROOT}/include
  -D_UCRT -fno-exceptions ${QM_MSVC_ARCH_FLAGS})
string(JOIN " " QM_MSVC_CXX_FLAGS
  -fms-compatibility-version=19.29 -fgnuc-version=12 -nostdinc
  -isystem ${QUILLMAR_LLVM_ROOT}/include/c++/v1
  -isystem ${QM_CLANG_RESOURCE_DIR}/include
  -isystem ${QUILLMAR_MINGW_ROOT}/include
  -D_UCRT -D_LIBCPP_NO_VCRUNTIME -D_LIBCPP_DISABLE_VISIBILITY_ANNOTATIONS
  -D_LIBCPP_DISABLE_EXTERN_TEMPLATE -fno-exceptions -fno-threadsafe-statics
  -include ${QM_MSVC_FORCE_INCLUDE} ${QM_MSVC_ARCH_FLAGS})
set(CMAKE_C_FLAGS_INIT "${QM_MSVC_COMMON_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${QM_MSVC_CXX_FLAGS}")

# No runtime library is linked by default: every image names the import libraries it uses
# (host/msvc/ gives targets for them); the defaultlib requests the compiler writes into each object
# (libcmt, oldnames, msvcrt) name libraries that do not exist here.
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "")
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "")
# No debug information in the image: the printf family in mingw-w64's libucrtbase.a is GCC-built
# code carrying DWARF sections, which lld-link would copy into it (with a warning per section).
set(QM_MSVC_LINK_FLAGS
  "-Qunused-arguments -Xlinker /nodefaultlib -Xlinker /opt:ref -Xlinker /manifest:no -Xlinker /debug:none ${QM_MSVC_ARCH_LINK_FLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${QM_MSVC_LINK_FLAGS}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${QM_MSVC_LINK_FLAGS} -Xlinker /entry:_DllMainCRTStartup")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${QM_MSVC_LINK_FLAGS} -Xlinker /entry:_DllMainCRTStartup")
# The MSVC runtime-library choice would add defines and defaultlib requests for msvcrt.
set(CMAKE_MSVC_RUNTIME_LIBRARY "")
