# The Windows cross build with the GUI: the mingw-w64 toolchain plus the static Qt that
# scripts/build-qt-windows makes in the cache folder. Its moc, uic and rcc are the host's
# (Debian's qt6-base-dev-tools, the same Qt version).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)

if(NOT TKV9D_WINDOWS_QT)
    if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
        set(cache_home $ENV{XDG_CACHE_HOME})
    else()
        set(cache_home $ENV{HOME}/.cache)
    endif()
    set(TKV9D_WINDOWS_QT ${cache_home}/tkv9d/qt-6.4.2-mingw64)
endif()
set(TKV9D_WINDOWS_QT ${TKV9D_WINDOWS_QT}
    CACHE PATH "The static Qt for mingw-w64 (scripts/build-qt-windows)")
if(NOT EXISTS ${TKV9D_WINDOWS_QT}/.complete)
    message(FATAL_ERROR "No Windows Qt in ${TKV9D_WINDOWS_QT}: run scripts/build-qt-windows first")
endif()

# The toolchain searches only the target's root for packages; the Qt folder is one more.
list(APPEND CMAKE_FIND_ROOT_PATH ${TKV9D_WINDOWS_QT})
list(APPEND CMAKE_PREFIX_PATH ${TKV9D_WINDOWS_QT})
set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
# That Qt is built without zstd; the host's rcc would compress resources with it.
set(CMAKE_AUTORCC_OPTIONS --no-zstd)
