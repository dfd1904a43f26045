# The Windows zip, kestal.exe, kestal-convert.exe and the read-me:
#   cpack   (in build/windows, after building)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME kestal)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Équipe Kestal")
set(CPACK_PACKAGE_FILE_NAME kestal-${PROJECT_VERSION}-windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)

# The Windows Installer package, built with every build: kestal-<version>-x64.msi.
# Its UpgradeCode never changes, so that each version replaces the one before;
# its ProductCode is drawn from the version, new with each version and the same
# for every build of one.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(KESTAL_WIXL wixl REQUIRED)
find_program(KESTAL_MSIBUILD msibuild REQUIRED)
set(KESTAL_UPGRADE_CODE 49872522-53DA-442F-9A5D-F556C73915C9)

# kestal_msi(TARGET OUTPUT VERSION): a package of this build's programs as VERSION.
function(kestal_msi target output version)
    string(UUID product_code NAMESPACE ${KESTAL_UPGRADE_CODE} NAME "Kestal ${version} x64"
           TYPE SHA1 UPPER)
    set(script ${PROJECT_SOURCE_DIR}/packaging/windows/build_msi.py)
    add_custom_command(
        OUTPUT ${output}
        COMMAND Python3::Interpreter ${script} --output ${output} --version ${version}
                --product-code ${product_code} --upgrade-code ${KESTAL_UPGRADE_CODE}
                --program $<TARGET_FILE:kestal> --converter $<TARGET_FILE:kestal-convert>
                --icon ${KESTAL_ICO} --summary ${PROJECT_DESCRIPTION}
                --wixl ${KESTAL_WIXL} --msibuild ${KESTAL_MSIBUILD}
        DEPENDS kestal kestal-convert ${KESTAL_ICO} ${script}
                ${PROJECT_SOURCE_DIR}/packaging/windows/kestal.wxs
                ${PROJECT_SOURCE_DIR}/packaging/windows/msi_additions.sql
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

kestal_msi(kestal-msi ${PROJECT_BINARY_DIR}/kestal-${PROJECT_VERSION}-x64.msi ${PROJECT_VERSION})
