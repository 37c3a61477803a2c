# Writes the product's version into a laid-out language file: the number in <tc_version>,
# keeping the words around it ("Version 1.0" becomes "Version 1.2.0").
#   cmake -DFILE=<dist>/language.xml -DVERSION=<x.y.z> -P K2qStampVersion.cmake
file(READ ${FILE} text)
string(REGEX REPLACE "(<tc_version>[^<0-9]*)[0-9]+(\\.[0-9]+)*" "\\1${VERSION}" stamped "${text}")
if(NOT stamped STREQUAL text)
    file(WRITE ${FILE} "${stamped}")
endif()
