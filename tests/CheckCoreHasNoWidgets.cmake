# Fails when a source of the core libraries includes a header of a user-interface
# module: a module path (<QtWidgets/QWidget>, <QtGui>), or a class header of one
# (<QPainter>), in angle brackets or quotes. The module path is the form that
# slips through a build: the core's include path reaches every module's folder
# through the Qt root. Run with -DROOT=<tree holding src/>.
set(modules "Gui|Widgets|Charts|PrintSupport|OpenGL|OpenGLWidgets|Svg|SvgWidgets")
set(classes "Widget|Application|GuiApplication|MainWindow|Dialog|MessageBox|Painter|Chart|Print")
set(include_line "^[ \t]*#[ \t]*include[ \t]*[<\"](Qt(${modules})[/>\"]|Q(${classes}))")

file(GLOB_RECURSE sources
    ${ROOT}/src/settings/*.h ${ROOT}/src/settings/*.cpp
    ${ROOT}/src/analysis/*.h ${ROOT}/src/analysis/*.cpp
    ${ROOT}/src/workspace/*.h ${ROOT}/src/workspace/*.cpp
    ${ROOT}/src/search/*.h ${ROOT}/src/search/*.cpp
    ${ROOT}/src/xml/*.h ${ROOT}/src/xml/*.cpp)
if(NOT sources)
    message(FATAL_ERROR "no core sources under ${ROOT}/src")
endif()
foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "${include_line}")
    if(includes)
        message(SEND_ERROR "${source} includes a user-interface header: ${includes}")
    endif()
endforeach()
