# Cross build for 64-bit Windows with Debian's mingw-w64 compiler, the variant with POSIX
# threads: std::thread and std::mutex need it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TKV9D_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TKV9D_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TKV9D_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TKV9D_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TKV9D_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs run on a bare Windows: the C++ runtime and the thread library go into the .exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs built here run under Wine.
find_program(TKV9D_WINE NAMES wine64 wine wine-stable PATHS /usr/lib/wine)
if(TKV9D_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TKV9D_WINE})
endif()
