# The Debian package: after a build, `cpack -G DEB` in the build folder writes
# tallyra_<version>_amd64.deb.  Nothing here is built by the ordinary build except the
# program's icon files and the compressed changelog, which the package takes.
#
# Installed, the program and its two libraries live in /usr/lib/tallyra, the files shipped
# with it (report templates, help pages, default settings and labels) in /usr/share/tallyra;
# the program then keeps what it writes in the user's own folder.

set(TALLYRA_PACKAGE_MAINTAINER "Tallyra developers <tallyra@users.noreply.github.com>"
    CACHE STRING "Maintainer named in the Debian package")
set(TALLYRA_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The libraries are the program's own, found beside it wherever the package is unpacked.
set_target_properties(tallyra tallyra_dm tallyra_mail PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS tallyra tallyra_dm tallyra_mail
        RUNTIME DESTINATION lib/tallyra
        LIBRARY DESTINATION lib/tallyra NAMELINK_SKIP)
file(MAKE_DIRECTORY ${TALLYRA_PACKAGING_DIR}/bin)
file(CREATE_LINK ../lib/tallyra/tallyra ${TALLYRA_PACKAGING_DIR}/bin/tallyra SYMBOLIC)
install(FILES ${TALLYRA_PACKAGING_DIR}/bin/tallyra DESTINATION bin)

install(FILES ${TALLYRA_REPORT_TEMPLATES} DESTINATION share/tallyra/Lib)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help/ DESTINATION share/tallyra/lib
        FILES_MATCHING PATTERN "*.htm" PATTERN "*.html")
install(FILES ${CMAKE_SOURCE_DIR}/resources/tallyra.ini
              ${CMAKE_SOURCE_DIR}/resources/labels/tallyra.lng
        DESTINATION share/tallyra)
install(FILES ${CMAKE_SOURCE_DIR}/resources/package/tallyra.desktop DESTINATION share/applications)

# The icon theme's files are drawn by the program's own icon code, so they never drift from
# the icon of its windows.
set(TALLYRA_ICON_SIDES 16 32 48 64 128)
add_executable(render_program_icon ${CMAKE_SOURCE_DIR}/tools/render_program_icon.cpp)
target_link_libraries(render_program_icon PRIVATE tallyra_ui)
set_target_properties(render_program_icon PROPERTIES
                      RUNTIME_OUTPUT_DIRECTORY ${TALLYRA_PACKAGING_DIR})
set(TALLYRA_ICON_FILES)
foreach(side ${TALLYRA_ICON_SIDES})
    list(APPEND TALLYRA_ICON_FILES ${TALLYRA_PACKAGING_DIR}/icons/${side}x${side}/apps/tallyra.png)
endforeach()
add_custom_command(OUTPUT ${TALLYRA_ICON_FILES}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:render_program_icon> ${TALLYRA_PACKAGING_DIR}/icons ${TALLYRA_ICON_SIDES}
    DEPENDS render_program_icon
    COMMENT "Drawing the program icon for the icon theme")

# Debian ships the changelog and the manual page compressed, without a time stamp inside.
configure_file(${CMAKE_SOURCE_DIR}/resources/package/changelog.in ${TALLYRA_PACKAGING_DIR}/changelog
               @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/package/tallyra.1 ${TALLYRA_PACKAGING_DIR}/tallyra.1
               COPYONLY)
set(TALLYRA_COMPRESSED_FILES)
foreach(file changelog tallyra.1)
    add_custom_command(OUTPUT ${TALLYRA_PACKAGING_DIR}/${file}.gz
        COMMAND gzip -9nf -k ${TALLYRA_PACKAGING_DIR}/${file}
        DEPENDS ${TALLYRA_PACKAGING_DIR}/${file})
    list(APPEND TALLYRA_COMPRESSED_FILES ${TALLYRA_PACKAGING_DIR}/${file}.gz)
endforeach()
add_custom_target(tallyra_package_files ALL
                  DEPENDS ${TALLYRA_ICON_FILES} ${TALLYRA_COMPRESSED_FILES})

install(DIRECTORY ${TALLYRA_PACKAGING_DIR}/icons/ DESTINATION share/icons/hicolor)
install(FILES ${CMAKE_SOURCE_DIR}/resources/package/copyright
              ${TALLYRA_PACKAGING_DIR}/changelog.gz
        DESTINATION share/doc/tallyra)
install(FILES ${TALLYRA_PACKAGING_DIR}/tallyra.1.gz DESTINATION share/man/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallyra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT ${TALLYRA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[cash-basis tax records of a small Czech business
Tallyra keeps the cash-basis tax records („daňová evidence“) of a small Czech
business: books of issued and received invoices and credit notes with their
payments, a cash journal split into tax categories with numbered cash
vouchers, business partners, products with foreign prices and a rate list,
reports with preview, PDF export and e-mail, graphs and user calculators.
The user interface is Czech.]])
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${TALLYRA_APP_DIR})
# Qt loads its window-system plugins at run time, where dpkg-shlibdeps cannot see them; the
# fonts give the printed forms the metrics they are laid out for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# The package test unpacks the package into a scratch root and starts the program there.  A
# sanitized build is no program to ship, so it has no package test.
find_program(TALLYRA_DPKG_DEB dpkg-deb)
# cpack computes the package's dependencies with it.
find_program(TALLYRA_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(TALLYRA_LINTIAN lintian)
find_program(TALLYRA_DESKTOP_FILE_VALIDATE desktop-file-validate)
if(TALLYRA_DPKG_DEB AND NOT TALLYRA_SANITIZE)
    add_test(NAME debian_package
             COMMAND ${CMAKE_SOURCE_DIR}/tests/package/debian_package.sh ${CMAKE_BINARY_DIR}
                     ${PROJECT_VERSION} ${TALLYRA_LINTIAN} ${TALLYRA_DESKTOP_FILE_VALIDATE})
    set_tests_properties(debian_package PROPERTIES TIMEOUT 600)
endif()
