# Run by `cmake --install`: writes the launcher with the folder the reader
# starts in. In: VAROSTEL_DESKTOP_IN, VAROSTEL_DATA_DIR (may be empty),
# VAROSTEL_DATADIR (relative to the prefix).
if(NOT VAROSTEL_DATA_DIR)
    set(VAROSTEL_DATA_DIR "${CMAKE_INSTALL_PREFIX}/${VAROSTEL_DATADIR}/varostel")
endif()
set(target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${VAROSTEL_DATADIR}/applications/varostel.desktop")
message(STATUS "Installing: ${target}")
configure_file("${VAROSTEL_DESKTOP_IN}" "${target}" @ONLY)
