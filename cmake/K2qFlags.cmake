if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-Wall -Wextra -Wno-missing-field-initializers)
    if(NOT WIN32)
        # The core must stay warning-free; the Win32 headers are not, so only here.
        add_compile_options(-Werror)
    endif()
endif()

if(K2Q_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(K2Q_FUZZ)
    # Everything the fuzz targets link is instrumented for coverage.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()
