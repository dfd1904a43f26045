# A .deb of the program, the batch converter and their desktop files:
#   cpack -G DEB   (in a build folder, after building)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestal)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Équipe Kestal")
set(CPACK_PACKAGE_CONTACT "Équipe Kestal <kestal@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "conversion of steel hardness between HV, HB, HRA, HRB, HRC, HRD and Rm")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Kestal converts the hardness of a steel between Vickers, Brinell, Rockwell A, B, C and D\n"
    "and tensile strength, by linear interpolation in a built-in table, with a French desktop\n"
    "window and a batch converter for series of measurements.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Qt's libraries as dpkg-shlibdeps finds them, the fonts the windows are laid out
# with, and Qt's translations, for the texts Qt itself draws to be French too.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")
include(CPack)
