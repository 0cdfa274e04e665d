# Run at every build: an include that climbs out of its folder ("../ui/Twips.h") or names an
# absolute path would reach a layer the including one may not see, past the include folders
# that keep the layers apart.
file(GLOB_RECURSE sources ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(escapes)
foreach(source IN LISTS sources)
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](\\.\\.|/)")
    foreach(line IN LISTS lines)
        file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
        list(APPEND escapes "${name}: ${line}")
    endforeach()
endforeach()
if(escapes)
    list(JOIN escapes "\n  " text)
    message(FATAL_ERROR "Includes must name a layer's folder, not a path:\n  ${text}")
endif()
