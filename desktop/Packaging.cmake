# The Debian package, made by `make package` (cpack -G DEB in the build
# folder): the files of `cmake --install` under /usr. The libraries come from
# dpkg-shlibdeps; the fonts are named here: "Arial" is Liberation Sans.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolva-sudoku)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_VENDOR "Tolva Sudoku")
set(CPACK_PACKAGE_CONTACT "Tolva Sudoku developers <tolva-sudoku@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sudoku program with a German user interface")
set(CPACK_PACKAGE_DESCRIPTION
    "Enter Sudoku puzzles cell by cell, solve them completely or one step at a time, check them for conflicts, create new ones by difficulty and print up to six on one page. Puzzle files (.sdk) get their own file type and previews in the file manager.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
