# The icon in the hicolor theme: the SVG as it is, plus PNGs rendered from it
# at build time by a small Qt tool, for desktops and docks that want bitmaps.
set(QX_ICON_SIZES 16 22 24 32 48 64 128 256)
set(QX_ICON_THEME_DIR "${QX_PACKAGING_BINARY_DIR}/hicolor")

# qx-render-icon is built in packaging/.
set(rendered_icons)
foreach(size IN LISTS QX_ICON_SIZES)
    list(APPEND rendered_icons "${QX_ICON_THEME_DIR}/${size}x${size}/apps/${QX_APP_ID}.png")
endforeach()

add_custom_command(OUTPUT ${rendered_icons}
    COMMAND qx-render-icon "${QX_ICON_SVG}" "${QX_ICON_THEME_DIR}" "${QX_APP_ID}" ${QX_ICON_SIZES}
    DEPENDS qx-render-icon "${QX_ICON_SVG}"
    COMMENT "Rendering the program icon at ${QX_ICON_SIZES} pixels"
    VERBATIM)
add_custom_target(qx-icons ALL DEPENDS ${rendered_icons})

install(FILES "${QX_ICON_SVG}"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME "${QX_APP_ID}.svg")
foreach(size IN LISTS QX_ICON_SIZES)
    install(FILES "${QX_ICON_THEME_DIR}/${size}x${size}/apps/${QX_APP_ID}.png"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
