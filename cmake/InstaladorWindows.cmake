# The Windows installer, made on the Linux host that cross-compiles the program (scripts/windows.sh):
# TarsaCliente-<version>-instalar.exe, and the test that installs and uninstalls it under wine64.
#   TARSA_WINDOWS_QT     Qt for Windows (its plugins are shipped)
#   TARSA_WINDOWS_DLLS   where the DLLs the program imports are found (Qt, the libraries, the MinGW runtime)
find_program(TARSA_MAKENSIS makensis REQUIRED)
find_file(TARSA_QTBASE_ES qtbase_es.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
  REQUIRED)
string(REPLACE ";" ":" TARSA_DIRECTORIOS_DLL "${TARSA_WINDOWS_DLLS}")
set(TARSA_INSTALADOR ${PROJECT_BINARY_DIR}/TarsaCliente-${PROJECT_VERSION}-instalar.exe)
set(TARSA_SCRIPTS_WINDOWS ${PROJECT_SOURCE_DIR}/scripts/windows)
file(GLOB_RECURSE TARSA_AYUDA CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/help/*)
add_custom_command(OUTPUT ${TARSA_INSTALADOR}
  COMMAND ${TARSA_SCRIPTS_WINDOWS}/instalador.sh ${TARSA_INSTALADOR} ${PROJECT_VERSION} ${PROJECT_BINARY_DIR}/paquete
    ${TARSA_WINDOWS_QT} ${TARSA_DIRECTORIOS_DLL} ${TARSA_BIN_DIR}/TarsaCliente.mdb ${PROJECT_SOURCE_DIR}/docs/help
    ${TARSA_QTBASE_ES} $<TARGET_FILE:TarsaCliente>
  DEPENDS TarsaCliente ${TARSA_BIN_DIR}/TarsaCliente.mdb ${TARSA_AYUDA} ${TARSA_SCRIPTS_WINDOWS}/instalador.sh
    ${TARSA_SCRIPTS_WINDOWS}/paquete.sh ${TARSA_SCRIPTS_WINDOWS}/instalador.nsi
  COMMENT "Making the installer TarsaCliente-${PROJECT_VERSION}-instalar.exe"
  VERBATIM)
add_custom_target(tarsa_instalador ALL DEPENDS ${TARSA_INSTALADOR})

if(TARSA_BUILD_TESTS)
  # Its own wine prefix: an uninstaller runs on after it returns, and waiting for it means waiting
  # for every program of the prefix.
  add_test(NAME InstaladorWindows.KeepsTheUsersFilesThroughAnUpgradeAndAnUninstall
    COMMAND ${TARSA_SCRIPTS_WINDOWS}/prueba-instalador.sh ${TARSA_INSTALADOR} ${PROJECT_BINARY_DIR}/wine-instalador)
  set_tests_properties(InstaladorWindows.KeepsTheUsersFilesThroughAnUpgradeAndAnUninstall PROPERTIES TIMEOUT 600)
endif()
