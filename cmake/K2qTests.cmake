# Tests mirror src/. Portable tests (outside win/ folders) form one native binary, core_tests;
# it is also cross-built and run under Wine once, on the real target ABI. Every tests/**/win/
# folder becomes one Win32 test program run under Wine.
include(GoogleTest)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

file(GLOB_RECURSE support_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
set(portable_support ${support_sources})
list(FILTER portable_support EXCLUDE REGEX "/win/")
add_library(k2q_test_support STATIC ${portable_support})
target_include_directories(k2q_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(k2q_test_support PUBLIC k2q_core GTest::gmock)
target_compile_definitions(k2q_test_support PUBLIC
    K2Q_SOURCE_DIR="${PROJECT_SOURCE_DIR}" K2Q_DIST_DIR="${K2Q_DIST_DIR}")
if(K2Q_ICON_DIR)
    target_compile_definitions(k2q_test_support PUBLIC K2Q_ICON_DIR="${K2Q_ICON_DIR}")
endif()

file(GLOB_RECURSE core_test_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/*_test.cpp)
list(FILTER core_test_sources EXCLUDE REGEX "/win/")
add_executable(core_tests ${core_test_sources})
target_link_libraries(core_tests PRIVATE k2q_test_support GTest::gmock_main)

if(NOT WIN32)
    gtest_discover_tests(core_tests DISCOVERY_TIMEOUT 30)
    return()
endif()

# Under Wine each process start costs tens of milliseconds, so a test program is one ctest
# entry. Wine tests share one prefix (registry, windows), so ctest runs them one at a time.
add_test(NAME wine.core_tests COMMAND core_tests --gtest_brief=1)

# Windows hosted in a test program look for their skins and texts beside it, as the shipped
# programs do beside themselves.
foreach(shipped skins language.xml)
    file(CREATE_LINK ${K2Q_DIST_DIR}/${shipped} ${CMAKE_BINARY_DIR}/${shipped} SYMBOLIC)
endforeach()

set(win_support ${support_sources})
list(FILTER win_support INCLUDE REGEX "/win/")
add_library(k2q_test_support_win STATIC ${win_support})
target_link_libraries(k2q_test_support_win PUBLIC k2q_test_support k2q_common_win)

# The gallery: a test-only program that shows the skinned controls on their skins, for the
# tests that look at them and take screenshots. Built beside the tests, never into dist/.
file(GLOB gallery_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/gallery/win/*.cpp)
if(gallery_sources)
    add_executable(k2q_gallery WIN32 ${gallery_sources})
    target_link_libraries(k2q_gallery PRIVATE k2q_common_win)
    target_link_options(k2q_gallery PRIVATE -municode)
endif()

file(GLOB_RECURSE win_test_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/*_test.cpp)
list(FILTER win_test_sources INCLUDE REGEX "/win/")
set(win_test_dirs "")
foreach(source ${win_test_sources})
    get_filename_component(dir ${source} DIRECTORY)
    list(APPEND win_test_dirs ${dir})
endforeach()
list(REMOVE_DUPLICATES win_test_dirs)

foreach(dir ${win_test_dirs})
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR}/tests ${dir})
    string(REPLACE "/win" "" area ${rel})
    string(REPLACE "/" "_" name ${area})
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    add_executable(win_${name}_tests ${sources})
    target_link_libraries(win_${name}_tests PRIVATE k2q_test_support_win GTest::gmock_main)
    # Tests of an area's shell link that area's shell library.
    string(REGEX MATCH "^[a-z]+" top ${area})
    if(TARGET k2q_${top}_win)
        target_link_libraries(win_${name}_tests PRIVATE k2q_${top}_win)
    endif()
    # A configuration window's test may follow a setting into the hosted monitor.
    if(top STREQUAL "config" AND TARGET k2q_monitor_win)
        target_link_libraries(win_${name}_tests PRIVATE k2q_monitor_win)
    endif()
    # Windows hosted in a test load their area's resources from the test program itself.
    k2q_area_resources(win_${name}_tests ${top})
    # Programs under test must be built and laid out first.
    foreach(program K2q_Mouse K2q_Config KbSnare k2q_gallery)
        if(TARGET ${program})
            add_dependencies(win_${name}_tests ${program})
        endif()
    endforeach()
    add_test(NAME wine.${name} COMMAND win_${name}_tests --gtest_brief=1)
    set_tests_properties(wine.${name} PROPERTIES TIMEOUT 600 RESOURCE_LOCK wine)
endforeach()
