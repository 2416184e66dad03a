# Fails unless PROGRAM --version prints "NAME VERSION" on standard output and
# exits with 0, with no display to connect to.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
set(ENV{QT_QPA_PLATFORM} xcb)
execute_process(COMMAND ${PROGRAM} --version
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT out STREQUAL "${NAME} ${VERSION}\n")
    message(FATAL_ERROR "${PROGRAM} --version: exit ${result}, printed \"${out}\", errors \"${err}\"")
endif()
