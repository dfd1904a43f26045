# The browser's zip, the site folder and the one-file page:
#   cpack   (in build/web, after building)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME kestal)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Équipe Kestal")
set(CPACK_PACKAGE_FILE_NAME kestal-${PROJECT_VERSION}-web)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
