# Source discovery by folder convention: a folder named win/ holds Win32 code, everything else
# is portable. Subsystems add files without touching the build.

function(k2q_glob_portable out dir)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "/win/")
    set(${out} ${sources} PARENT_SCOPE)
endfunction()

# Win32 sources of one area (src/common, src/monitor ...), without the program entry points.
function(k2q_glob_win out dir)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(FILTER sources INCLUDE REGEX "/win/")
    list(FILTER sources EXCLUDE REGEX "/win/WinMain\\.cpp$")
    set(${out} ${sources} PARENT_SCOPE)
endfunction()
