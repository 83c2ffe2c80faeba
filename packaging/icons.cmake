# The program's icon in the sizes that panels and menus ask for, drawn at build time from the one
# SVG: OLVIMAR_ICON_PNGS lists them (icons/<size>/org.olvimar.Olvimar.png in the current binary
# folder), and each is installed into the hicolor theme beside the SVG.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(OLVIMAR_ICON_SVG ${PROJECT_SOURCE_DIR}/packaging/org.olvimar.Olvimar.svg)
set(OLVIMAR_ICON_PNGS "")
foreach(size 16 24 32 48 64 128 256)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/org.olvimar.Olvimar.png)
    add_custom_command(OUTPUT ${png}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}
                       COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${OLVIMAR_ICON_SVG}
                       DEPENDS ${OLVIMAR_ICON_SVG}
                       VERBATIM)
    list(APPEND OLVIMAR_ICON_PNGS ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
