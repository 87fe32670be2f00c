# What both seam checks read of a source file: its #include lines and the two places each may
# resolve to (the including file's folder and the tree's root, where the compiler looks).

set(seam_source_patterns *.h *.hh *.hpp *.inl *.inc *.c *.cc *.cpp *.cxx *.rc)

# The names the file includes, in file order.
function(included_names file out)
    file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
    set(names "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
            list(APPEND names "${CMAKE_MATCH_1}")
        endif()
    endforeach()
    set(${out} "${names}" PARENT_SCOPE)
endfunction()

# The two paths an included name may stand for, the file's folder first.
function(resolved_places included folder root out)
    set(places "")
    foreach(base "${folder}" "${root}")
        cmake_path(ABSOLUTE_PATH included BASE_DIRECTORY "${base}" NORMALIZE
                   OUTPUT_VARIABLE resolved)
        list(APPEND places "${resolved}")
    endforeach()
    set(${out} "${places}" PARENT_SCOPE)
endfunction()
