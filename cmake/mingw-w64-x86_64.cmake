# Toolchain file: cross-compile for 64-bit Windows with Debian's MinGW-w64 (GCC 12).
#
#   apt-get install g++-mingw-w64-x86-64 wine wine64 xvfb xauth
#   cmake --preset windows     (after the native build: see README.md)
#
# See cmake/OpalWindows.md for the findings behind each setting.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(OPAL_MINGW_TRIPLET x86_64-w64-mingw32)

# The "-posix" compilers (thread model posix, on winpthreads). Debian's default
# x86_64-w64-mingw32-g++ is the "-win32" one, whose GCC 12 libstdc++ has no
# std::mutex, std::thread, std::call_once, std::condition_variable or std::future:
# code (ours, a test framework) that merely includes and uses <mutex> does not compile.
# std::filesystem works with both. The price of posix is winpthread, linked statically
# below like libgcc and libstdc++.
set(CMAKE_C_COMPILER ${OPAL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OPAL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${OPAL_MINGW_TRIPLET}-windres)

# C code uses MinGW's own printf family too, as C++ code does by default (libstdc++
# turns it on): its output matches glibc's ("%zu", "%g", "%e" exponents, ...).
set(CMAKE_C_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_CXX_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")

# Every .exe and .dll depends on system DLLs only (KERNEL32, USER32, GDI32, msvcrt, ...):
# libgcc, libstdc++ and libwinpthread are linked in. -static alone would do; the two
# others say so plainly. With -static, "-lfoo" finds only libfoo.a, not an import
# library libfoo.dll.a: link our own DLLs by target name (CMake then uses the full path
# of the import library), never with -l.
set(_opal_static_link "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${_opal_static_link}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${_opal_static_link}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${_opal_static_link}")
unset(_opal_static_link)

# Headers and libraries of the target come only from the MinGW-w64 sysroot; programs
# (the resource compiler, build tools) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${OPAL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and add_custom_command(COMMAND <exe target>) run the .exe under Wine, on a
# virtual X display, with a Wine prefix of the build folder's own. Not inside
# try_compile projects (a prefix is ~700 MB); pass -DCMAKE_CROSSCOMPILING_EMULATOR=
# to turn it off.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR
   AND NOT CMAKE_BINARY_DIR MATCHES "/CMakeFiles/(CMakeScratch|CMakeTmp)")
  get_filename_component(_opal_src "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${_opal_src}/tools/wine/run-wine.sh;${CMAKE_BINARY_DIR}")
  unset(_opal_src)
endif()
