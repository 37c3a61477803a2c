# libFuzzer targets: fuzz/<name>.cpp, seeded from fuzz/corpus/<name>/. Each runs as a test for
# a bounded time under AddressSanitizer and UndefinedBehaviorSanitizer.
enable_testing()
file(GLOB fuzz_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*.cpp)
foreach(source ${fuzz_sources})
    get_filename_component(name ${source} NAME_WE)
    add_executable(fuzz_${name} ${source})
    target_link_libraries(fuzz_${name} PRIVATE k2q_core)
    target_include_directories(fuzz_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    set(work ${CMAKE_BINARY_DIR}/corpus/${name})
    file(MAKE_DIRECTORY ${work})
    set(seeds ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
    if(NOT EXISTS ${seeds})
        set(seeds "")
    endif()
    # New inputs go to the build folder; the seed corpus in the repository stays read-only.
    add_test(NAME fuzz.${name}
        COMMAND fuzz_${name} -max_total_time=${K2Q_FUZZ_SECONDS} -rss_limit_mb=1024
                -malloc_limit_mb=512 -timeout=10 -print_final_stats=1 ${work} ${seeds})
    set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 600)
endforeach()
