# Cross-compiles for 64-bit Windows with mingw-w64 (posix thread model, so that std::thread
# and std::mutex are available). Debian's compilers for that model carry the -posix suffix.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORBD_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORBD_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORBD_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORBD_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORBD_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and vexa-sim run under Wine, each in the Wine prefix the wrapper prepares.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
