# The Debian package, built by `cpack -G DEB` in a configured build folder
# (scripts/package.sh). It installs what `cmake --install` installs, under
# /usr, with the run-time dependencies read from the program's libraries.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrano)
set(CPACK_PACKAGE_VENDOR Veltrano)
set(CPACK_PACKAGE_CONTACT "Veltrano <packages@veltrano.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.veltrano.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "toolbox of elementary mathematics")
# The extended description, in lines short enough for the package tools.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Veltrano is a small desktop toolbox of elementary mathematics. A task"
  "selector opens one of five worksheets:"
  " - prime factors of a whole number, by trial division;"
  " - plane triangles from three known parts, with the area;"
  " - circle arcs and chords, with the sector and segment areas;"
  " - complex numbers: arithmetic, powers, roots, exponential, logarithm;"
  " - conversion between decimal and any base from 2 to 36, fractions included."
  "Each worksheet recomputes as you type, saves and reopens plain text files,"
  "prints, and opens its own help.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The task selector's captions are laid out for this narrow font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)

include(CPack)
