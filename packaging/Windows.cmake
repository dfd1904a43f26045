# The Windows zip, kestal.exe, kestal-convert.exe and the read-me:
#   cpack   (in build/windows, after building)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME kestal)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ${KESTAL_PUBLISHER})
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

# kestal_msi(TARGET OUTPUT VERSION [PROGRAM EXE CONVERTER EXE DEPENDS ...]
#            [SIGN OPTIONS...]): a package of this build's programs (or of the
# two given) as VERSION, signed as the programs are unless given its own
# signing options (those of sign.py).
function(kestal_msi target output version)
    cmake_parse_arguments(PARSE_ARGV 3 arg "" "PROGRAM;CONVERTER" "DEPENDS;SIGN")
    if(NOT arg_PROGRAM)
        set(arg_PROGRAM $<TARGET_FILE:kestal>)
        set(arg_CONVERTER $<TARGET_FILE:kestal-convert>)
        set(arg_DEPENDS kestal kestal-convert)
    endif()
    if(NOT DEFINED arg_SIGN)
        set(arg_SIGN ${KESTAL_SIGN_OPTIONS})
    endif()
    string(UUID product_code NAMESPACE ${KESTAL_UPGRADE_CODE} NAME "Kestal ${version} x64"
           TYPE SHA1 UPPER)
    set(here ${PROJECT_SOURCE_DIR}/packaging/windows)
    add_custom_command(
        OUTPUT ${output}
        COMMAND Python3::Interpreter ${here}/build_msi.py --output ${output} --version ${version}
                --product-code ${product_code} --upgrade-code ${KESTAL_UPGRADE_CODE}
                --program ${arg_PROGRAM} --converter ${arg_CONVERTER}
                --icon ${KESTAL_ICO} --summary ${PROJECT_DESCRIPTION}
                --manufacturer ${KESTAL_PUBLISHER}
                --wixl ${KESTAL_WIXL} --msibuild ${KESTAL_MSIBUILD} ${arg_SIGN}
        DEPENDS ${arg_DEPENDS} ${KESTAL_ICO} ${here}/build_msi.py ${here}/sign.py
                ${here}/summary_information.py ${here}/kestal.wxs ${here}/msi_additions.sql
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

kestal_msi(kestal-msi ${PROJECT_BINARY_DIR}/kestal-${PROJECT_VERSION}-x64.msi ${PROJECT_VERSION})
