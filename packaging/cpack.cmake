# The packages: from the native tree a Debian package per component (cli ->
# orvelin, window -> orvelin-programmer, python -> python3-orvelin), from the
# MinGW tree one zip of the Windows programs. make package runs cpack in both
# and gathers the results in build/packages.
set(ORVELIN_PACKAGE_CONTACT "The ORVELIN programmer developers <maintainers@orvelin.invalid>"
    CACHE STRING "Maintainer named in the packages")

set(CPACK_PACKAGE_NAME orvelin)
set(CPACK_PACKAGE_CONTACT "${ORVELIN_PACKAGE_CONTACT}")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME orvelin-${PROJECT_VERSION}-windows-x86_64)
  # The four files at the top of the zip, as a Windows user unpacks them.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_COMPONENTS_ALL window cli)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
  set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # dpkg-shlibdeps names the libraries the programs link and their versions.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  include(debian_package.cmake)

  orvelin_debian_package(cli orvelin "programmer for ORVELIN smart servos over a serial port
orvelin configures ORVELIN smart servos from the command line: it reads
every register's name, address and RAM value, writes RAM values, writes
FLASH value files, clears the servo's settings, uploads firmware, finds
the servo IDs on a bus, samples registers for plotting and runs raw
command lines, over a USB-serial adapter.
.
orvelin-virtual-servo is a servo on a pseudo-terminal, for trying the
programmer out without hardware.")

  # The Python module is a package of its own where pybind11 and Python's
  # development files were found to build it, for that Python version alone.
  if(TARGET orvelin_python)
    include(pybind11_copyright.cmake)
    orvelin_debian_package(python python3-orvelin "ORVELIN smart servos from Python 3
The Python 3 module orvelin configures and reads ORVELIN smart servos over a
serial port, for scripts: it finds the servos on a bus, reads registers of
several servos in one round or samples them, writes RAM values and FLASH
values with each read back, clears the settings behind a backup, updates
firmware, and saves and compares FLASH value files. Every answer is judged;
a failure raises an exception of its kind with the evidence."
      COPYRIGHT_FILES "${pybind11_files}" COPYRIGHT_LICENSES "${pybind11_license}")
    set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
    string(REGEX REPLACE "^3\\.([0-9]+)$" "\\1" python_minor ${ORVELIN_PYTHON_VERSION})
    math(EXPR python_next "${python_minor} + 1")
    set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3 (>= ${ORVELIN_PYTHON_VERSION}), python3 (<< 3.${python_next})")
  endif()

  # The Qt window is a package of its own where Qt was found to build it.
  if(TARGET orvelin-programmer)
    orvelin_debian_package(window orvelin-programmer "operator window for ORVELIN smart servos over a serial port
orvelin-programmer is the window for configuring ORVELIN smart servos: pick
a port, a baud rate and a servo ID, connect, and see every register's name,
address and RAM value; change RAM values, stage and write FLASH values, load
and save FLASH value files, clear the servo's settings, upload firmware and
type raw command lines.")
    # Qt loads its platform plugins at run time, where dpkg-shlibdeps cannot
    # see them; without them the window cannot open on a desktop.
    set(CPACK_DEBIAN_WINDOW_PACKAGE_DEPENDS "qt6-qpa-plugins")
  endif()
endif()

include(CPack)
