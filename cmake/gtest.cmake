# GoogleTest: Debian's build for Linux. A cross build for Windows finds no GoogleTest of its own
# and compiles the sources that Debian's googletest package ships.
find_package(GTest QUIET)
if(NOT GTest_FOUND)
    set(TKV9D_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build when none is installed")
    if(NOT EXISTS ${TKV9D_GTEST_SOURCE}/CMakeLists.txt)
        message(FATAL_ERROR "GoogleTest not found (install libgtest-dev, or googletest for its sources)")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(${TKV9D_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # Newer GoogleTest sources name their targets GTest::... themselves.
    foreach(library gtest gmock gtest_main)
        if(NOT TARGET GTest::${library})
            add_library(GTest::${library} ALIAS ${library})
        endif()
    endforeach()
endif()
