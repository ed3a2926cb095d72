# The Windows download: vestramenu.exe and a short README in one zip (cpack in the mingw build).
install(TARGETS vestramenu RUNTIME DESTINATION .)
install(FILES data/README-windows.txt DESTINATION . RENAME README.txt)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME vestramenu)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
