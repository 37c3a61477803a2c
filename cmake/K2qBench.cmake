# Benchmarks are programs of their own (bench/*.cpp natively, bench/win/*.cpp for Windows),
# built with everything else so that they keep compiling, and run by scripts/bench.
file(GLOB bench_util CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/support/*.cpp)
if(WIN32)
    file(GLOB bench_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/win/*.cpp)
else()
    file(GLOB bench_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*.cpp)
endif()
foreach(source ${bench_sources})
    get_filename_component(name ${source} NAME_WE)
    add_executable(bench_${name} ${source} ${bench_util})
    target_include_directories(bench_${name} PRIVATE ${PROJECT_SOURCE_DIR}/bench
                                                     ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(bench_${name} PRIVATE k2q_core)
    if(WIN32)
        target_link_libraries(bench_${name} PRIVATE k2q_common_win)
        # Benchmarks that host the monitor use the simulated driver and the input hooks.
        if(TARGET k2q_test_support_win)
            target_link_libraries(bench_${name} PRIVATE k2q_test_support_win)
        endif()
        foreach(area monitor config)
            if(TARGET k2q_${area}_win)
                target_link_libraries(bench_${name} PRIVATE k2q_${area}_win)
            endif()
        endforeach()
    endif()
    set_target_properties(bench_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endforeach()

# The XML reader's benchmark measures pugixml on the same bytes in the same run.
if(TARGET bench_xml_reader)
    find_package(pugixml CONFIG REQUIRED)
    target_link_libraries(bench_xml_reader PRIVATE pugixml::pugixml)
endif()

# The empty program is the baseline of the size and memory benchmarks, so it is linked as the
# shipped binaries are.
if(TARGET bench_EmptyProgram)
    k2q_release_binary(bench_EmptyProgram)
endif()

# The benchmark that hosts the configuration program's windows loads their templates from
# itself and their skins, texts and key hook from beside itself, as the program does.
if(TARGET bench_ConfigCycles AND COMMAND k2q_area_resources)
    k2q_area_resources(bench_ConfigCycles config)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    foreach(shipped skins language.xml KbSnare.dll)
        file(CREATE_LINK ${K2Q_DIST_DIR}/${shipped} ${CMAKE_BINARY_DIR}/bench/${shipped} SYMBOLIC)
    endforeach()
endif()
