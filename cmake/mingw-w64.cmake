# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 compilers (the posix-thread variant:
# std::thread, std::mutex and Qt need it). scripts/windows.sh uses this file for Qt, the libraries
# and the program itself.
#
# TARSA_WINDOWS_PREFIJOS lists the directories where Qt and the libraries built for Windows are
# installed; everything is searched there and in the MinGW-w64 system directory, never in the
# host's /usr.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TARSA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARSA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARSA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TARSA_MINGW}-windres)

if(NOT TARSA_WINDOWS_PREFIJOS AND DEFINED ENV{TARSA_WINDOWS_PREFIJOS})
  set(TARSA_WINDOWS_PREFIJOS "$ENV{TARSA_WINDOWS_PREFIJOS}")
endif()
# try_compile projects read the toolchain file again and need the same prefixes.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARSA_WINDOWS_PREFIJOS)
set(CMAKE_FIND_ROOT_PATH /usr/${TARSA_MINGW} ${TARSA_WINDOWS_PREFIJOS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's build tools (moc, rcc, uic) are the host's own Qt of the same version.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
