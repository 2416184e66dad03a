# Installs the user guide alone into an empty prefix (PREFIX) from the build
# tree (BUILD_DIR) and checks that what the guide's page refers to (GUIDE_DIR
# under the prefix) was installed with it, and that it needs nothing from
# outside.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                        --component guide
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install of the guide failed: ${result}")
endif()

set(guide ${PREFIX}/${GUIDE_DIR})
if(NOT EXISTS ${guide}/index.html)
    message(FATAL_ERROR "${guide}/index.html was not installed")
endif()
file(READ ${guide}/index.html page)

string(REGEX MATCHALL "(src|href)=\"[^\"#]+\"" references "${page}")
if(NOT references)
    message(FATAL_ERROR "index.html refers to no stylesheet or image")
endif()
foreach(reference ${references})
    string(REGEX REPLACE "^[a-z]+=\"(.*)\"$" "\\1" target "${reference}")
    if(target MATCHES "^[a-z]+:")
        message(FATAL_ERROR "index.html refers to a resource outside the guide: ${target}")
    endif()
    if(NOT EXISTS ${guide}/${target})
        message(FATAL_ERROR "index.html refers to ${target}, which was not installed")
    endif()
endforeach()
if(page MATCHES "<script")
    message(FATAL_ERROR "index.html contains a script")
endif()
