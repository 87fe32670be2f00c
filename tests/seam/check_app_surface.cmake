# Checks what of the module vexa-sim (app/) includes. vexa-sim is a host program: it reaches
# the module through the module file, as a host does, and includes the host's interface
# (host/) and the stand-ins (sim/) freely, and of the module only the rule of which files are
# read at all. The one exception is ini-check, which reads a mapping file with the module's own
# loader and asks the PDM what the module would ask: the module headers it may include are
# listed below, and no other folder of app/ includes any.
# Any other folder of the tree (the module's, tests/, ...) counts as the module's here. Each
# #include is resolved against the including file's folder and against the tree's root, the
# two places the compiler looks.
#
# Those headers come with the module's code, linked into vexa-sim (orbd_config and orbd_core,
# app/CMakeLists.txt), so a vexa-sim process holds a PdmLink singleton of its own besides the
# one inside the module file it loads. The two never meet: the module file keeps its symbols
# to itself (hidden visibility, only its two entry points exported), and ini-check, the only
# user of the linked copy, never loads the module file; so that it stays so, app/ini_check/
# may not include the module loader or the session either.
#
#   cmake -DROOT=<tree> [-DEXPECT_VIOLATIONS=<n>] -P check_app_surface.cmake
#
# Without EXPECT_VIOLATIONS the check fails on any violation; with it, unless exactly that
# many are found (the check's own test runs it over a tree of known offences).
cmake_minimum_required(VERSION 3.25)
if(NOT DEFINED ROOT)
    message(FATAL_ERROR "ROOT is not set")
endif()
cmake_path(NORMAL_PATH ROOT OUTPUT_VARIABLE root)
string(REGEX REPLACE "/$" "" root "${root}")

include(${CMAKE_CURRENT_LIST_DIR}/include_lines.cmake)

# Folders that any file of app/ may include from.
set(open_folders app host sim)
# The module headers that any file of app/ may include: the rule of which files are read at
# all, which vexa-sim's scenario reader shares with the mapping file's reader.
set(app_surface config/readable_file.h)
# The module headers that app/ini_check/ may include: the mapping file's loader, the parts
# list's rows as the module's commands read them, and the PDM link with its answers.
set(ini_check_surface
    base/host_status_error.h
    bom/bom_context.h
    bom/bom_row.h
    bom/bom_standard.h
    bom/column_definition.h
    bom/row_cursor.h
    bom/row_sources.h
    bom/transfer_guards.h
    config/ini_file.h
    config/ini_line.h
    config/ini_load_observer.h
    config/text_file_read.h
    partref/row_key.h
    pdm/mapping_sections.h
    pdm/pdm_answer.h
    pdm/pdm_link.h
    pdm/query_text.h)
# What app/ini_check/ may not include although it is in app/: what loads the module file.
set(ini_check_barred app/common/module_loader.h app/common/session.h)

set(violations 0)
list(TRANSFORM seam_source_patterns PREPEND "${root}/app/" OUTPUT_VARIABLE patterns)
file(GLOB_RECURSE files LIST_DIRECTORIES false ${patterns})
foreach(file ${files})
    file(RELATIVE_PATH shown "${root}" "${file}")
    string(FIND "${shown}" "app/ini_check/" in_ini_check)
    included_names("${file}" names)
    get_filename_component(folder "${file}" DIRECTORY)
    foreach(included IN LISTS names)
        resolved_places("${included}" "${folder}" "${root}" places)
        foreach(resolved IN LISTS places)
            string(FIND "${resolved}" "${root}/" inside)
            if(NOT inside EQUAL 0)
                continue()
            endif()
            file(RELATIVE_PATH target "${root}" "${resolved}")
            # A system header (<string>, <nlohmann/json.hpp>) names no folder of the tree.
            string(REGEX MATCH "^[^/]+" top "${target}")
            if(NOT target MATCHES "/" OR NOT IS_DIRECTORY "${root}/${top}")
                continue()
            endif()
            set(why "")
            if(target IN_LIST app_surface)
            elseif(top IN_LIST open_folders)
                if(in_ini_check EQUAL 0 AND target IN_LIST ini_check_barred)
                    set(why "ini-check never loads the module")
                endif()
            elseif(NOT in_ini_check EQUAL 0)
                set(why "only ini-check includes the module's headers")
            elseif(NOT target IN_LIST ini_check_surface)
                set(why "not on ini-check's list")
            endif()
            if(why)
                message(STATUS "${shown}: includes ${included} (${why})")
                math(EXPR violations "${violations} + 1")
                break()
            endif()
        endforeach()
    endforeach()
endforeach()

if(DEFINED EXPECT_VIOLATIONS)
    if(NOT violations EQUAL EXPECT_VIOLATIONS)
        message(FATAL_ERROR "found ${violations} includes outside vexa-sim's allowed surface, "
                            "expected ${EXPECT_VIOLATIONS}")
    endif()
elseif(violations GREATER 0)
    message(FATAL_ERROR "${violations} includes outside vexa-sim's allowed surface of the module")
endif()
