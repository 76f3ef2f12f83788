# Installation and the Debian package (cpack -G DEB from a build tree):
# the programs, their manual pages made by help2man from --help, the guide,
# the icon, the desktop entry, the AppStream metainfo and the file types.
# Sanitizer builds are for tests only and are never packaged.
if(FORMWICK_SANITIZE)
  return()
endif()

set(FORMWICK_APP_ID org.formwick.Formwick)
set(FORMWICK_DOC_DIR share/doc/formwick)
set(FORMWICK_MAINTAINER "Formwick maintainers <maintainers@users.noreply.c-seed-fe03d0db.example>"
  CACHE STRING "Maintainer named in the Debian package")
set(FORMWICK_SCREENSHOT_URL "https://formwick.example.org/screenshots/ktm3300.png"
  CACHE STRING "Public address of the screenshot named in the AppStream metainfo")
set(pkg_src ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(pkg_out ${CMAKE_BINARY_DIR}/packaging)

# Files that carry the project version and a date, made at configure time.
string(TIMESTAMP FORMWICK_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP FORMWICK_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${pkg_src}/${FORMWICK_APP_ID}.metainfo.xml.in ${pkg_out}/${FORMWICK_APP_ID}.metainfo.xml @ONLY)
configure_file(${pkg_src}/${FORMWICK_APP_ID}.desktop ${pkg_out}/${FORMWICK_APP_ID}.desktop COPYONLY)
configure_file(${pkg_src}/changelog.in ${pkg_out}/changelog @ONLY)

# Compressed as Debian wants them: gzip -9 without a time stamp.
find_program(FORMWICK_GZIP gzip REQUIRED)
find_program(FORMWICK_HELP2MAN help2man)
set(generated ${pkg_out}/changelog.gz)
add_custom_command(OUTPUT ${pkg_out}/changelog.gz
  COMMAND ${FORMWICK_GZIP} -9nfk ${pkg_out}/changelog
  DEPENDS ${pkg_out}/changelog VERBATIM)

# formwick_man_page(TARGET SUMMARY): section 1 page of a program from its
# --help and --version (the GUI program runs on the offscreen platform).
function(formwick_man_page target summary)
  set(page ${pkg_out}/man/${target}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${pkg_out}/man
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${FORMWICK_HELP2MAN} --no-info --name=${summary}
            --include=${pkg_src}/see-also.h2m --output=${page} $<TARGET_FILE:${target}>
    COMMAND ${FORMWICK_GZIP} -9nf ${page}
    DEPENDS ${target} ${pkg_src}/see-also.h2m VERBATIM)
  set(generated ${generated} ${page}.gz PARENT_SCOPE)
  install(FILES ${page}.gz DESTINATION share/man/man1)
endfunction()

if(NOT FORMWICK_HELP2MAN)
  message(WARNING "help2man not found: the package will have no manual pages (scripts/packages.txt lists it)")
endif()

install(TARGETS formwick-cli RUNTIME DESTINATION bin)
if(FORMWICK_HELP2MAN)
  formwick_man_page(formwick-cli "headless commands over Formwick application definitions")
endif()

# The desktop program with what a desktop needs to offer it: the menu entry,
# the software-centre description; the package then also needs a Qt
# platform plugin, which is loaded at run time so shlibdeps cannot see it.
if(TARGET Formwick)
  install(TARGETS Formwick RUNTIME DESTINATION bin)
  if(FORMWICK_HELP2MAN)
    formwick_man_page(Formwick "generator of data-collection applications for handheld barcode terminals")
  endif()
  install(FILES ${pkg_out}/${FORMWICK_APP_ID}.desktop DESTINATION share/applications)
  install(FILES ${pkg_out}/${FORMWICK_APP_ID}.metainfo.xml DESTINATION share/metainfo)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()

add_custom_target(formwick_package_files ALL DEPENDS ${generated})

# The guide and references: everything in docs/, with the pictures, in the
# same layout, so a program finds a document under the same name in both.
install(DIRECTORY docs/ DESTINATION ${FORMWICK_DOC_DIR})
install(FILES ${pkg_out}/changelog.gz ${pkg_src}/copyright DESTINATION ${FORMWICK_DOC_DIR})
install(DIRECTORY ${pkg_src}/icons/hicolor DESTINATION share/icons)
install(FILES ${pkg_src}/formwick-mime.xml DESTINATION share/mime/packages RENAME formwick.xml)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME formwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Formwick")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "generator of data-collection applications for handheld barcode terminals")
set(CPACK_PACKAGE_DESCRIPTION "Formwick builds data-collection applications for the R58 and KTM3300 handheld
barcode terminals from parameters filled in by a user who does not program:
start-up screen, menus, forms of typed input lines, data and lookup files,
variables, barcode reader settings, translated texts and security. It writes
the application as an application file (.HIX), runs it in a simulated
terminal, and sends it to a terminal over a serial port. formwick-cli runs
the same applications headless with key scripts, for regression tests.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${FORMWICK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
