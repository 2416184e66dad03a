# Fails when a source of the core libraries includes a Qt Widgets header.
file(GLOB_RECURSE sources
    ${ROOT}/src/settings/*.h ${ROOT}/src/settings/*.cpp
    ${ROOT}/src/analysis/*.h ${ROOT}/src/analysis/*.cpp
    ${ROOT}/src/search/*.h ${ROOT}/src/search/*.cpp
    ${ROOT}/src/xml/*.h ${ROOT}/src/xml/*.cpp)
foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "^#include <Q(Widgets|Charts|PrintSupport|Gui|Application|Widget|MainWindow|Dialog|MessageBox|Painter)")
    if(includes)
        message(SEND_ERROR "${source} includes a user-interface header: ${includes}")
    endif()
endforeach()
