# Checks two rules of the module's folders:
#  - they include nothing from the stand-ins (sim/) or from vexa-sim (app/);
#  - they are layers: a folder includes its own files and those of the layers below it, never
#    those of a layer above it or of a folder beside it in its own layer.
# Every #include of every source, header and resource file is resolved both against the
# including file's folder and against the tree's root, the two places the compiler looks, so
# "sim/...", <app/...>, "../sim/...", "config/../bom/..." and the like are all caught.
#
#   cmake -DROOT=<tree> [-DEXPECT_VIOLATIONS=<n>] [-DEXPECT_CLIMBS=<n>] -P check_includes.cmake
#
# Without an expectation the check fails on any offence; with one, unless exactly that many
# of each kind are found (a kind not named is expected 0 times). The check's own tests run it
# over trees of known offences.
cmake_minimum_required(VERSION 3.25)
if(NOT DEFINED ROOT)
    message(FATAL_ERROR "ROOT is not set")
endif()
cmake_path(NORMAL_PATH ROOT OUTPUT_VARIABLE root)
string(REGEX REPLACE "/$" "" root "${root}")

# The module's layers from the bottom up; folders joined by "+" sit side by side. host/ holds
# the declarations of the host's interfaces and resources/ the module's resource ids and texts
# (read by the resource compiler too): both include no other folder of the module.
include(${CMAKE_CURRENT_LIST_DIR}/include_lines.cmake)

set(layers host+resources base config pdm bom partref module)
set(forbidden sim app)

set(module_dirs "")
set(rank 0)
foreach(layer ${layers})
    string(REPLACE "+" ";" side_by_side "${layer}")
    foreach(dir ${side_by_side})
        list(APPEND module_dirs ${dir})
        set(rank_of_${dir} ${rank})
    endforeach()
    math(EXPR rank "${rank} + 1")
endforeach()

# The top folder of the tree that path lies in, or "" when it lies outside the tree or
# directly in its root.
function(top_folder path out)
    set(top "")
    string(LENGTH "${root}/" prefix_length)
    string(FIND "${path}" "${root}/" at)
    if(at EQUAL 0)
        string(SUBSTRING "${path}" ${prefix_length} -1 inside)
        string(FIND "${inside}" "/" slash)
        if(slash GREATER 0)
            string(SUBSTRING "${inside}" 0 ${slash} top)
        endif()
    endif()
    set(${out} "${top}" PARENT_SCOPE)
endfunction()

set(violations 0)
set(climbs 0)
foreach(dir ${module_dirs})
    list(TRANSFORM seam_source_patterns PREPEND "${root}/${dir}/" OUTPUT_VARIABLE patterns)
    file(GLOB_RECURSE files LIST_DIRECTORIES false ${patterns})
    foreach(file ${files})
        included_names("${file}" names)
        get_filename_component(folder "${file}" DIRECTORY)
        file(RELATIVE_PATH shown "${root}" "${file}")
        foreach(included IN LISTS names)
            # One offence per line: the first place it resolves to that breaks a rule.
            resolved_places("${included}" "${folder}" "${root}" places)
            foreach(resolved IN LISTS places)
                top_folder("${resolved}" target)
                if(target IN_LIST forbidden)
                    message(STATUS "${shown}: includes ${included} (${target}/)")
                    math(EXPR violations "${violations} + 1")
                    break()
                endif()
                if(target IN_LIST module_dirs AND NOT target STREQUAL dir
                   AND NOT rank_of_${target} LESS rank_of_${dir})
                    message(STATUS "${shown}: includes ${included} (${dir}/ may not include ${target}/)")
                    math(EXPR climbs "${climbs} + 1")
                    break()
                endif()
            endforeach()
        endforeach()
    endforeach()
endforeach()

if(DEFINED EXPECT_VIOLATIONS OR DEFINED EXPECT_CLIMBS)
    if(NOT DEFINED EXPECT_VIOLATIONS)
        set(EXPECT_VIOLATIONS 0)
    endif()
    if(NOT DEFINED EXPECT_CLIMBS)
        set(EXPECT_CLIMBS 0)
    endif()
    if(NOT violations EQUAL EXPECT_VIOLATIONS OR NOT climbs EQUAL EXPECT_CLIMBS)
        message(FATAL_ERROR "found ${violations} includes of sim/ or app/ and ${climbs} includes "
                            "against the layers, expected ${EXPECT_VIOLATIONS} and ${EXPECT_CLIMBS}")
    endif()
else()
    if(violations GREATER 0)
        message(SEND_ERROR "${violations} includes of sim/ or app/ in the module's folders")
    endif()
    if(climbs GREATER 0)
        message(SEND_ERROR "${climbs} includes against the layers (${layers}) in the module's folders")
    endif()
endif()
