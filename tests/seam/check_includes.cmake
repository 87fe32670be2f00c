# Checks that the module's folders include nothing from the stand-ins (sim/) or from
# vexa-sim (app/). Every #include of every source, header and resource file is resolved both
# against the including file's folder and against the tree's root, the two places the
# compiler looks, so "sim/...", <app/...>, "../sim/..." and the like are all caught.
#
#   cmake -DROOT=<tree> [-DEXPECT_VIOLATIONS=<n>] -P check_includes.cmake
#
# Without EXPECT_VIOLATIONS the check fails on any violation; with it, unless exactly that
# many are found (the check's own test runs it over a tree of known offences).
if(NOT DEFINED ROOT)
    message(FATAL_ERROR "ROOT is not set")
endif()
cmake_path(NORMAL_PATH ROOT OUTPUT_VARIABLE root)
string(REGEX REPLACE "/$" "" root "${root}")

set(module_dirs module host pdm config bom partref resources)
set(forbidden sim app)
set(violations 0)

foreach(dir ${module_dirs})
    file(GLOB_RECURSE files LIST_DIRECTORIES false
         "${root}/${dir}/*.h" "${root}/${dir}/*.hh" "${root}/${dir}/*.hpp" "${root}/${dir}/*.inl"
         "${root}/${dir}/*.inc" "${root}/${dir}/*.c" "${root}/${dir}/*.cc" "${root}/${dir}/*.cpp"
         "${root}/${dir}/*.cxx" "${root}/${dir}/*.rc")
    foreach(file ${files})
        file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
        get_filename_component(folder "${file}" DIRECTORY)
        foreach(line IN LISTS lines)
            if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
                continue()
            endif()
            set(included "${CMAKE_MATCH_1}")
            foreach(base "${folder}" "${root}")
                cmake_path(ABSOLUTE_PATH included BASE_DIRECTORY "${base}" NORMALIZE
                           OUTPUT_VARIABLE resolved)
                foreach(bad ${forbidden})
                    string(FIND "${resolved}" "${root}/${bad}/" at)
                    if(at EQUAL 0)
                        file(RELATIVE_PATH shown "${root}" "${file}")
                        message(STATUS "${shown}: includes ${included} (${bad}/)")
                        math(EXPR violations "${violations} + 1")
                        break()
                    endif()
                endforeach()
                if(at EQUAL 0)
                    break()
                endif()
            endforeach()
        endforeach()
    endforeach()
endforeach()

if(DEFINED EXPECT_VIOLATIONS)
    if(NOT violations EQUAL EXPECT_VIOLATIONS)
        message(FATAL_ERROR "found ${violations} includes of sim/ or app/, expected ${EXPECT_VIOLATIONS}")
    endif()
elseif(violations GREATER 0)
    message(FATAL_ERROR "${violations} includes of sim/ or app/ in the module's folders")
endif()
