# Installing like a desktop program, and the Debian package made from it.
#
# Executables go to bin/, the generated Data/ folder to share/lumitag/, the
# picture editor to libexec/lumitag/ (its Tools folder when installed), the
# udev rule to lib/udev/rules.d (rules.d under /etc belongs to the
# administrator), and the desktop entry, AppStream metainfo and icon to where
# desktop environments and software centres look for them.

set(LUMITAG_APP_ID org.lumitag.Lumitag)
set(LUMITAG_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/lumitag)
set(LUMITAG_INSTALL_TOOLSDIR ${CMAKE_INSTALL_LIBEXECDIR}/lumitag)

if(TARGET lumitag)
  install(TARGETS lumitag RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET imagedit)
  install(TARGETS imagedit RUNTIME DESTINATION ${LUMITAG_INSTALL_TOOLSDIR})
endif()
install(DIRECTORY ${LUMITAG_PROGRAM_DIR}/Data DESTINATION ${LUMITAG_INSTALL_DATADIR})
install(FILES resources/udev/70-lumitag.rules DESTINATION lib/udev/rules.d)
install(FILES resources/desktop/${LUMITAG_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/desktop/${LUMITAG_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/desktop/${LUMITAG_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages made from each program's --help, so they never drift from it.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  foreach(program lumitag-cli lumitag)
    if(NOT TARGET ${program})
      continue()
    endif()
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(
      OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
              ${HELP2MAN} --no-info --no-discard-stderr --version-string=${PROJECT_VERSION}
              --name=${program} --output=${page} $<TARGET_FILE:${program}>
      DEPENDS ${program}
      COMMENT "Writing the manual page of ${program}"
      VERBATIM)
    list(APPEND LUMITAG_MAN_PAGES ${page})
  endforeach()
  add_custom_target(lumitag_man ALL DEPENDS ${LUMITAG_MAN_PAGES})
  install(FILES ${LUMITAG_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_PACKAGE_NAME lumitag)
set(CPACK_PACKAGE_VENDOR "Lumitag")
set(CPACK_PACKAGE_CONTACT "Lumitag developers <lumitag@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Program USB LED signs and name badges")
set(CPACK_PACKAGE_DESCRIPTION
    "Lumitag composes messages, pictures and date items for small USB LED matrix signs and
name badges, previews them pixel for pixel and sends them over USB HID. A desktop program
and a command-line tool over one core.")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The build keeps its debug information; the package does not need it.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The library dependencies are computed from the binaries by dpkg-shlibdeps;
# only what no binary links is named: the fonts the sign's text is drawn with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/resources/debian/postinst
    ${PROJECT_SOURCE_DIR}/resources/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
