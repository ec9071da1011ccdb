# What the programs are told at build time: their version, the application id of the
# desktop entry, and where the installed data lies relative to the installed binaries
# (relative, so that `cmake --install --prefix` anywhere and DESTDIR both work).
include(GNUInstallDirs)

set(KELVANE_APP_ID "example.kelvane.Kelvane" CACHE STRING
    "Reverse-DNS id of the desktop entry, metainfo and icon; set it to the project's own domain")
set(KELVANE_HOMEPAGE "https://kelvane.example" CACHE STRING
    "Where the project is published; the metainfo's screenshots are taken from below it")

set(KELVANE_VERSION ${PROJECT_VERSION})
file(RELATIVE_PATH KELVANE_DATA_FROM_BINARY
     ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/kelvane)

configure_file(${CMAKE_CURRENT_LIST_DIR}/GeneratedBuildInfo.h.in
               ${CMAKE_BINARY_DIR}/generated/GeneratedBuildInfo.h @ONLY)

# The build folder keeps the installed layout for the data: bin/ beside share/kelvane/,
# so that the sample library is found the same way in both.
get_filename_component(KELVANE_STAGED_DATA
    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${KELVANE_DATA_FROM_BINARY} ABSOLUTE)
string(FIND "${KELVANE_STAGED_DATA}/" "${CMAKE_BINARY_DIR}/" staged_in_build)
if(NOT staged_in_build EQUAL 0)
    set(KELVANE_STAGED_DATA ${CMAKE_BINARY_DIR}/share/kelvane)
endif()
