# Installing the Linux programs and their data files, and the Debian package (cpack -G DEB).
include(GNUInstallDirs)
set(VM_MAINTAINER "vestramenu maintainers <maintainers@vestramenu.example.org>")

# Manual pages and the changelog are installed compressed, as Debian wants them; gzip -n keeps
# the package reproducible.
set(data_out ${PROJECT_BINARY_DIR}/data)
configure_file(${PROJECT_SOURCE_DIR}/data/changelog.in ${data_out}/changelog @ONLY)
set(compressed)
foreach(file vestramenu.1 moxa3.1)
  configure_file(${PROJECT_SOURCE_DIR}/data/${file} ${data_out}/${file} @ONLY)
endforeach()
foreach(file vestramenu.1 moxa3.1 changelog)
  add_custom_command(OUTPUT ${data_out}/${file}.gz
    COMMAND gzip -n -9 -c ${data_out}/${file} > ${data_out}/${file}.gz
    DEPENDS ${data_out}/${file})
  list(APPEND compressed ${data_out}/${file}.gz)
endforeach()
add_custom_target(vm_data_files ALL DEPENDS ${compressed})

install(TARGETS vestramenu moxa3 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${data_out}/vestramenu.1.gz ${data_out}/moxa3.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/vestramenu.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/vestramenu.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/copyright ${data_out}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vestramenu)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VM_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "mpv, xdg-utils")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "media folder menu in one window")
set(CPACK_PACKAGE_DESCRIPTION "vestramenu shows a folder as columns of names, its pictures as pages of
thumbnails and one picture enlarged, and hands media files to its player
moxa3, which plays them with mpv. It is driven by the keyboard and the
right mouse button and drawn with OpenGL on X11.")
include(CPack)
