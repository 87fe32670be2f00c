# The parts of the Windows build that differ from the Linux one, included by the top-level
# CMakeLists.txt when cross-compiling for Windows.

enable_language(RC)

# One copy of the compiler's runtime for every binary, next to them in bin/, as an installed
# program carries it: the host, the PDM client and the module share standard-library objects
# and exceptions across their boundaries, so each must not have a private copy.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${runtime_path}")
        find_file(runtime_path_${runtime} ${runtime}
                  PATHS /usr/${ORBD_MINGW_TRIPLET}/lib /usr/lib/gcc/${ORBD_MINGW_TRIPLET}
                  PATH_SUFFIXES 12-posix 13-posix 14-posix NO_DEFAULT_PATH REQUIRED)
        set(runtime_path ${runtime_path_${runtime}})
    endif()
    file(COPY ${runtime_path} DESTINATION ${CMAKE_BINARY_DIR}/bin)
endforeach()

# nlohmann-json and CLI11 are header-only; their headers are taken from the build machine through a folder
# that holds nothing else, so that the machine's C library headers stay out of the way.
set(json_headers ${CMAKE_BINARY_DIR}/third_party/include)
file(MAKE_DIRECTORY ${json_headers})
file(CREATE_LINK /usr/include/nlohmann ${json_headers}/nlohmann SYMBOLIC)
file(CREATE_LINK /usr/include/CLI ${json_headers}/CLI SYMBOLIC)
add_library(nlohmann_json INTERFACE)
target_include_directories(nlohmann_json SYSTEM INTERFACE ${json_headers})
add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)
add_library(CLI11 INTERFACE)
target_include_directories(CLI11 SYSTEM INTERFACE ${json_headers})
add_library(CLI11::CLI11 ALIAS CLI11)

# GoogleTest from the sources Debian ships; its own code is not held to our warnings.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
foreach(lib gtest gtest_main gmock gmock_main)
    set_target_properties(${lib} PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
endforeach()
