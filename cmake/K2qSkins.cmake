# The skin pictures and the icons, drawn by tools/skins from the skin table
# (src/common/ui/SkinLayout.inc) at build time; they are never committed. The Windows build lays
# the pictures out in ${K2Q_DIST_DIR}/skins; the native test build draws them into its own tree,
# so that the picture tests run without Wine. Sanitizer and fuzz builds need neither.
#
#   K2Q_SKIN_DIR    the skins folder the pictures go to
#   K2Q_ICON_DIR    program.ico (resource 128), tray_config.ico (136), tray_config_selected.ico
#                   (133), tray_exit.ico (137), tray_exit_selected.ico (134); resource scripts
#                   name them bare, e.g. 128 ICON "program.ico"
#   K2Q_ICON_FILES  their full paths
if(NOT WIN32 AND (NOT K2Q_TESTS OR K2Q_SANITIZE OR K2Q_FUZZ))
    return()
endif()

set(K2Q_PYTHON /usr/bin/python3 CACHE FILEPATH "Debian's Python with Pillow, for the skin generator")
set(skin_tool ${PROJECT_SOURCE_DIR}/tools/skins/make_skins.py)
set(skin_table ${PROJECT_SOURCE_DIR}/src/common/ui/SkinLayout.inc)
file(GLOB skin_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/skins/*.py)
if(WIN32)
    set(K2Q_SKIN_DIR ${K2Q_DIST_DIR}/skins)
else()
    set(K2Q_SKIN_DIR ${CMAKE_BINARY_DIR}/skins)
endif()
set(K2Q_ICON_DIR ${CMAKE_BINARY_DIR}/icons)

# The file list comes from the table, so a new row is a new output without a build change.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${skin_table})
execute_process(
    COMMAND ${K2Q_PYTHON} ${skin_tool} --list-outputs --skins ${K2Q_SKIN_DIR} --icons ${K2Q_ICON_DIR}
    OUTPUT_VARIABLE skin_outputs OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE skin_status ERROR_VARIABLE skin_error)
if(NOT skin_status EQUAL 0)
    message(FATAL_ERROR "tools/skins cannot read the skin table: ${skin_error}")
endif()
set(K2Q_ICON_FILES ${skin_outputs})
list(FILTER K2Q_ICON_FILES INCLUDE REGEX "\\.ico$")

add_custom_command(OUTPUT ${skin_outputs}
    COMMAND ${K2Q_PYTHON} ${skin_tool} --skins ${K2Q_SKIN_DIR} --icons ${K2Q_ICON_DIR}
    DEPENDS ${skin_sources} ${skin_table}
    COMMENT "Drawing the skin pictures and icons"
    VERBATIM)
add_custom_target(k2q_skins ALL DEPENDS ${skin_outputs})

# The contact sheet in docs/ is for review and is committed; redraw it with this target.
add_custom_target(k2q_skin_sheet
    COMMAND ${K2Q_PYTHON} ${skin_tool} --sheet ${PROJECT_SOURCE_DIR}/docs/skins.png
    COMMENT "Drawing docs/skins.png"
    VERBATIM)

if(K2Q_TESTS)
    enable_testing()
    add_test(NAME skins.pictures COMMAND ${K2Q_PYTHON} ${PROJECT_SOURCE_DIR}/tests/skins/pictures_test.py)
    set_tests_properties(skins.pictures PROPERTIES
        ENVIRONMENT "K2Q_SKIN_DIR=${K2Q_SKIN_DIR};K2Q_ICON_DIR=${K2Q_ICON_DIR}")
endif()
