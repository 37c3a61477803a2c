# Builds the two release files from the laid-out dist/, into RELEASE_DIR and never into dist/:
# the installer (makensis with K2q.nsi) and the portable zip, whose one folder holds dist/ as it
# is. Whatever dist/ holds ships, so both are made from a listing of it, and remade only when a
# file of it, the installer script or the version changed.
#   cmake -DDIST=<dist> -DRELEASE_DIR=<dir> -DVERSION=<x.y.z> -DICON=<program.ico>
#         -DMAKENSIS=<makensis> -DINSTALLER=<file> -DPORTABLE_ZIP=<file> -P package.cmake
set(nsi ${CMAKE_CURRENT_LIST_DIR}/K2q.nsi)
set(work ${RELEASE_DIR}/work)

file(GLOB_RECURSE files RELATIVE ${DIST} LIST_DIRECTORIES false ${DIST}/*)
list(SORT files)
if(NOT files)
    message(FATAL_ERROR "package: ${DIST} is empty")
endif()

# The fingerprint of everything the release files are made from.
set(fingerprint "${VERSION}\n")
foreach(input ${nsi} ${CMAKE_CURRENT_LIST_FILE} ${ICON})
    file(SHA256 ${input} hash)
    string(APPEND fingerprint "${hash} ${input}\n")
endforeach()
foreach(f ${files})
    file(SHA256 ${DIST}/${f} hash)
    string(APPEND fingerprint "${hash} ${f}\n")
endforeach()
set(stamp ${work}/fingerprint)
if(EXISTS ${stamp} AND EXISTS ${INSTALLER} AND EXISTS ${PORTABLE_ZIP})
    file(READ ${stamp} previous)
    if(previous STREQUAL fingerprint)
        return()
    endif()
endif()

file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
file(GLOB stale ${RELEASE_DIR}/K2q-*)
if(stale)
    file(REMOVE_RECURSE ${stale})
endif()

# The installer's file lists: File commands folder by folder, and the uninstaller's Delete
# commands, then RMDir for every folder, deepest first (RMDir without /r leaves a folder that
# still holds something of the user's).
set(install "")
set(uninstall "")
set(folders "")
set(current "/")
foreach(f ${files})
    get_filename_component(folder "${f}" DIRECTORY)
    string(REPLACE "/" "\\" windows_file "${f}")
    if(NOT folder STREQUAL current)
        set(current "${folder}")
        if(folder STREQUAL "")
            string(APPEND install "SetOutPath \"$INSTDIR\"\n")
        else()
            string(REPLACE "/" "\\" windows_folder "${folder}")
            string(APPEND install "SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
            while(NOT folder STREQUAL "")
                list(APPEND folders "${folder}")
                get_filename_component(folder "${folder}" DIRECTORY)
            endwhile()
        endif()
    endif()
    string(APPEND install "File \"${DIST}/${f}\"\n")
    string(APPEND uninstall "Delete \"$INSTDIR\\${windows_file}\"\n")
endforeach()
string(APPEND install "SetOutPath \"$INSTDIR\"\n")
list(REMOVE_DUPLICATES folders)
# Deepest first: sorted by path in reverse, a folder comes before its parent.
list(SORT folders)
list(REVERSE folders)
foreach(folder ${folders})
    string(REPLACE "/" "\\" windows_folder "${folder}")
    string(APPEND uninstall "RMDir \"$INSTDIR\\${windows_folder}\"\n")
endforeach()
file(WRITE ${work}/files_install.nsh "${install}")
file(WRITE ${work}/files_uninstall.nsh "${uninstall}")

execute_process(
    COMMAND ${MAKENSIS} -V2 -DVERSION=${VERSION} -DDIST=${DIST} -DICON=${ICON}
            -DOUTFILE=${INSTALLER} -DFILES_INSTALL=${work}/files_install.nsh
            -DFILES_UNINSTALL=${work}/files_uninstall.nsh ${nsi}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE ${INSTALLER})
    message(FATAL_ERROR "package: makensis failed")
endif()

# The portable zip: one folder named after the version, holding dist/ as it is.
set(zip_name K2q-${VERSION})
set(stage ${work}/${zip_name})
file(COPY ${DIST}/ DESTINATION ${stage})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E tar cf ${PORTABLE_ZIP} --format=zip ${zip_name}
    WORKING_DIRECTORY ${work}
    RESULT_VARIABLE status)
file(REMOVE_RECURSE ${stage})
if(NOT status EQUAL 0)
    file(REMOVE ${PORTABLE_ZIP})
    message(FATAL_ERROR "package: the portable zip could not be written")
endif()

file(WRITE ${stamp} "${fingerprint}")
message(STATUS "Release files: ${INSTALLER}, ${PORTABLE_ZIP}")
