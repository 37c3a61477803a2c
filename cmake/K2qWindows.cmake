# The Win32 shells, the shipped programs and the DLL. Static linking, so that no MinGW
# runtime DLL has to ship beside them.
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE NOMINMAX STRICT _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
# Every function and datum in a section of its own, so that the shipped binaries' link drops
# whatever nothing calls (k2q_release_binary); the libraries are shared with the tests, which
# thus run the very code that ships.
add_compile_options(-ffunction-sections -fdata-sections)

# Resource scripts include the shared version resource (VersionInfo.rc2) and the version
# numbers generated from the project's version.
configure_file(${CMAKE_CURRENT_LIST_DIR}/K2qVersion.h.in ${CMAKE_BINARY_DIR}/generated/K2qVersion.h)
include_directories($<$<COMPILE_LANGUAGE:RC>:${CMAKE_BINARY_DIR}/generated>
                    $<$<COMPILE_LANGUAGE:RC>:${PROJECT_SOURCE_DIR}/src/common/win>)

# What ships is linked for size: unused sections dropped and symbols stripped.
function(k2q_release_binary target)
    target_link_options(${target} PRIVATE -Wl,--gc-sections -s)
endfunction()

set(K2Q_SYSTEM_LIBS gdiplus comctl32 shlwapi shell32 ole32 oleaut32 uuid advapi32 user32 gdi32
    kernel32 psapi)

k2q_glob_win(K2Q_COMMON_WIN_SOURCES src/common)
add_library(k2q_common_win STATIC ${K2Q_COMMON_WIN_SOURCES})
target_link_libraries(k2q_common_win PUBLIC k2q_core ${K2Q_SYSTEM_LIBS})

k2q_glob_win(K2Q_MONITOR_WIN_SOURCES src/monitor)
if(K2Q_MONITOR_WIN_SOURCES)
    add_library(k2q_monitor_win STATIC ${K2Q_MONITOR_WIN_SOURCES})
    target_link_libraries(k2q_monitor_win PUBLIC k2q_common_win)
endif()

k2q_glob_win(K2Q_CONFIG_WIN_SOURCES src/config)
if(K2Q_CONFIG_WIN_SOURCES)
    add_library(k2q_config_win STATIC ${K2Q_CONFIG_WIN_SOURCES})
    target_link_libraries(k2q_config_win PUBLIC k2q_common_win)
endif()

# The resource scripts of an area (dialog templates, icons, version, manifest) built into a
# program: the area's own, or a test or benchmark that hosts the area's windows.
function(k2q_area_resources target area)
    file(GLOB_RECURSE resources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${area}/*.rc)
    # Resource scripts name the generated icons bare ("program.ico"); windres finds them here.
    target_include_directories(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:${K2Q_ICON_DIR}>)
    if(resources)
        target_sources(${target} PRIVATE ${resources})
        set_source_files_properties(${resources} PROPERTIES OBJECT_DEPENDS "${K2Q_ICON_FILES}")
        # A script's own files (its manifest) are named bare too, beside the script.
        foreach(rc ${resources})
            get_filename_component(rc_dir ${rc} DIRECTORY)
            target_include_directories(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:${rc_dir}>)
        endforeach()
    endif()
endfunction()

# A program is its WinMain.cpp, the resource scripts of its area and the area's shell library.
function(k2q_program name area)
    set(main ${PROJECT_SOURCE_DIR}/src/${area}/app/win/WinMain.cpp)
    if(NOT EXISTS ${main})
        set(main ${PROJECT_SOURCE_DIR}/src/${area}/shell/win/WinMain.cpp)
    endif()
    if(NOT EXISTS ${main})
        return()
    endif()
    add_executable(${name} WIN32 ${main})
    k2q_area_resources(${name} ${area})
    target_link_libraries(${name} PRIVATE k2q_${area}_win)
    target_link_options(${name} PRIVATE -municode)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${K2Q_DIST_DIR})
    k2q_release_binary(${name})
    add_dependencies(${name} k2q_dist_files)
endfunction()

# Files that ship beside the programs: language.xml and skins/ (from dist-files/ and from
# generators that add themselves to k2q_dist_files).
set(dist_copy ${CMAKE_COMMAND} -E make_directory ${K2Q_DIST_DIR})
if(EXISTS ${PROJECT_SOURCE_DIR}/dist-files)
    list(APPEND dist_copy COMMAND ${CMAKE_COMMAND} -E copy_directory
         ${PROJECT_SOURCE_DIR}/dist-files ${K2Q_DIST_DIR})
    # The about box shows the version of the build, whatever number the file was written with.
    list(APPEND dist_copy COMMAND ${CMAKE_COMMAND} -DFILE=${K2Q_DIST_DIR}/language.xml
         -DVERSION=${PROJECT_VERSION} -P ${CMAKE_CURRENT_LIST_DIR}/K2qStampVersion.cmake)
endif()
add_custom_target(k2q_dist_files ALL COMMAND ${dist_copy} COMMENT "Laying out ${K2Q_DIST_DIR}")
add_dependencies(k2q_dist_files k2q_skins)

k2q_program(K2q_Mouse monitor)
k2q_program(K2q_Config config)

file(GLOB K2Q_KBSNARE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/kbsnare/win/*.cpp)
if(K2Q_KBSNARE_SOURCES)
    file(GLOB kbsnare_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/kbsnare/win/*.def
                                             ${PROJECT_SOURCE_DIR}/src/kbsnare/win/*.rc)
    add_library(KbSnare SHARED ${K2Q_KBSNARE_SOURCES} ${kbsnare_files})
    k2q_release_binary(KbSnare)
    target_link_libraries(KbSnare PRIVATE k2q_core user32 kernel32)
    set_target_properties(KbSnare PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${K2Q_DIST_DIR})
endif()

# The help file beside the configuration program: help/ compiled with the Free Pascal CHM
# compiler, in a copy under the build folder so that nothing is written into the sources.
find_program(K2Q_CHMCMD chmcmd)
if(NOT K2Q_CHMCMD)
    message(FATAL_ERROR "chmcmd (Debian package fp-utils) builds help.chm; run scripts/install-deps.sh")
endif()
# Its pictures are the screenshots in docs/screenshots, which the README shows too.
file(GLOB help_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/*
                                         ${PROJECT_SOURCE_DIR}/docs/screenshots/*.png)
set(help_build ${CMAKE_BINARY_DIR}/help)
add_custom_command(OUTPUT ${K2Q_DIST_DIR}/help.chm
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${help_build}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/help ${help_build}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/docs/screenshots
            ${help_build}/images
    COMMAND ${CMAKE_COMMAND} -E chdir ${help_build} ${K2Q_CHMCMD} --verbosity 0 help.hhp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${K2Q_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${help_build}/help.chm ${K2Q_DIST_DIR}/help.chm
    DEPENDS ${help_sources}
    COMMENT "Compiling help.chm"
    VERBATIM)
add_custom_target(k2q_help ALL DEPENDS ${K2Q_DIST_DIR}/help.chm)
if(K2Q_TESTS)
    add_test(NAME help.file COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tests/help/help_file_test.py
             ${PROJECT_SOURCE_DIR}/help ${K2Q_DIST_DIR}/help.chm)
endif()
