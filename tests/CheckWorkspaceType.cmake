# Builds a type database (DIR) from the workspace type's package file alone
# (PACKAGE) with update-mime-database (TOOL) and checks that it took the type
# and tells it by the extension ".tmz".
file(REMOVE_RECURSE ${DIR})
file(COPY ${PACKAGE} DESTINATION ${DIR}/packages)
# It notes on its error output that the folder is not one the desktop searches.
execute_process(COMMAND ${TOOL} ${DIR} RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "update-mime-database refused the package: ${result} ${errors}")
endif()
if(NOT EXISTS ${DIR}/application/x-tamborix-workspace.xml)
    message(FATAL_ERROR "the database holds no type application/x-tamborix-workspace")
endif()
file(READ ${DIR}/globs2 globs)
if(NOT globs MATCHES ":application/x-tamborix-workspace:\\*\\.tmz")
    message(FATAL_ERROR "the type is not told by *.tmz: ${globs}")
endif()
