# Runs at install time, when the final prefix is known: the desktop entry names the installed
# executable by its full path, bin/vistrelle points at it for starting from a terminal, and the
# files of share/vistrelle are linked beside it, where the program looks for them.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(VISTRELLE_EXECUTABLE "${CMAKE_INSTALL_PREFIX}/lib/vistrelle/vistrelle")
message(STATUS "Installing: ${root}/share/applications/vistrelle.desktop")
configure_file("${VISTRELLE_DESKTOP_TEMPLATE}" "${root}/share/applications/vistrelle.desktop" @ONLY)
message(STATUS "Installing: ${root}/bin/vistrelle")
file(MAKE_DIRECTORY "${root}/bin")
file(CREATE_LINK "../lib/vistrelle/vistrelle" "${root}/bin/vistrelle" SYMBOLIC)
foreach(name IN LISTS VISTRELLE_SHARED_NAMES)
    message(STATUS "Installing: ${root}/lib/vistrelle/${name}")
    file(CREATE_LINK "../../share/vistrelle/${name}" "${root}/lib/vistrelle/${name}" SYMBOLIC)
endforeach()
