# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the -posix thread model, which
# std::thread and Qt need). Used both to build the static Qt and, chain-loaded by that Qt's
# qt-cmake, to build the calculator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_mingw_triple}-windres)
set(CMAKE_AR ${_mingw_triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${_mingw_triple}-gcc-ranlib-posix CACHE FILEPATH "")

# Headers and libraries come from the MinGW tree (and, through qt-cmake, the static Qt);
# programs such as moc run on the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${_mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One program file: the compiler's own run-time libraries (libgcc, libstdc++, winpthread) are
# linked in rather than shipped as DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
