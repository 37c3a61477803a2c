# The release files, made from dist/ after everything that ships has been laid out there: the
# installer and the portable zip, in K2Q_RELEASE_DIR (outside dist/, which holds only what
# ships). installer/package.cmake remakes them only when dist/ or the installer changed.
find_program(K2Q_MAKENSIS makensis)
if(NOT K2Q_MAKENSIS)
    message(FATAL_ERROR "makensis (Debian package nsis) builds the installer; run scripts/install-deps.sh")
endif()
set(K2Q_RELEASE_DIR ${PROJECT_SOURCE_DIR}/build/release CACHE PATH "Where the installer and the zip go")
set(K2Q_INSTALLER ${K2Q_RELEASE_DIR}/K2q-Setup-${PROJECT_VERSION}.exe)
set(K2Q_PORTABLE_ZIP ${K2Q_RELEASE_DIR}/K2q-${PROJECT_VERSION}-portable.zip)

add_custom_target(k2q_release ALL
    COMMAND ${CMAKE_COMMAND} -DDIST=${K2Q_DIST_DIR} -DRELEASE_DIR=${K2Q_RELEASE_DIR}
            -DVERSION=${PROJECT_VERSION} -DICON=${K2Q_ICON_DIR}/program.ico
            -DMAKENSIS=${K2Q_MAKENSIS} -DINSTALLER=${K2Q_INSTALLER}
            -DPORTABLE_ZIP=${K2Q_PORTABLE_ZIP} -P ${PROJECT_SOURCE_DIR}/installer/package.cmake
    VERBATIM)
# Everything that lays out files in dist/ comes first.
foreach(shipped K2q_Mouse K2q_Config KbSnare k2q_dist_files k2q_skins k2q_help)
    if(TARGET ${shipped})
        add_dependencies(k2q_release ${shipped})
    endif()
endforeach()

if(K2Q_TESTS)
    # The shipped binaries as built for release, and the zip holding exactly dist/.
    find_program(K2Q_OBJDUMP x86_64-w64-mingw32-objdump REQUIRED)
    add_test(NAME release.files
        COMMAND ${K2Q_PYTHON} ${PROJECT_SOURCE_DIR}/tests/release/release_files_test.py)
    set_tests_properties(release.files PROPERTIES ENVIRONMENT
        "K2Q_DIST_DIR=${K2Q_DIST_DIR};K2Q_PORTABLE_ZIP=${K2Q_PORTABLE_ZIP};K2Q_INSTALLER=${K2Q_INSTALLER};K2Q_VERSION=${PROJECT_VERSION};K2Q_OBJDUMP=${K2Q_OBJDUMP}")
    # The installer run under Wine.
    if(TARGET win_release_tests)
        target_compile_definitions(win_release_tests PRIVATE
            K2Q_INSTALLER="${K2Q_INSTALLER}" K2Q_VERSION="${PROJECT_VERSION}")
        target_link_libraries(win_release_tests PRIVATE version)
        add_dependencies(win_release_tests k2q_release)
    endif()
endif()
