# The Windows zip, kestal.exe and its read-me:
#   cpack   (in build/windows, after building)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME kestal)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Équipe Kestal")
set(CPACK_PACKAGE_FILE_NAME kestal-${PROJECT_VERSION}-windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
