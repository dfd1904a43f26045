# What each Windows program of Kestal carries: its version record, which
# Explorer shows among the file's properties, and, when the build is given the
# company's certificate, its signature, made as soon as it is linked, so that
# the zip and the installer package hold the signed file.
#   kestal_windows_program(TARGET DESCRIPTION)
set(KESTAL_SIGN_PFX "" CACHE FILEPATH "PKCS#12 file of the certificate that signs the programs and the package")
set(KESTAL_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the password of KESTAL_SIGN_PFX")
set(KESTAL_SIGN_TIMESTAMP_URL "" CACHE STRING "Time-stamping server (RFC 3161) for the signatures, if any")

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(KESTAL_SIGN_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/sign.py)
set(KESTAL_VERSION_RC_IN ${CMAKE_CURRENT_LIST_DIR}/version.rc.in)
if(KESTAL_SIGN_PFX)
    if(NOT EXISTS "${KESTAL_SIGN_PFX}" OR NOT EXISTS "${KESTAL_SIGN_PASSWORD_FILE}")
        message(FATAL_ERROR "KESTAL_SIGN_PFX and KESTAL_SIGN_PASSWORD_FILE must both name existing files")
    endif()
    find_program(KESTAL_OSSLSIGNCODE osslsigncode REQUIRED)
    # The options that sign.py, and build_msi.py for the package, take.
    set(KESTAL_SIGN_OPTIONS --pfx ${KESTAL_SIGN_PFX} --password-file ${KESTAL_SIGN_PASSWORD_FILE}
                            --osslsigncode ${KESTAL_OSSLSIGNCODE})
    if(KESTAL_SIGN_TIMESTAMP_URL)
        list(APPEND KESTAL_SIGN_OPTIONS --timestamp-url ${KESTAL_SIGN_TIMESTAMP_URL})
    endif()
    message(STATUS "Kestal: kestal.exe, kestal-convert.exe and the package signed with ${KESTAL_SIGN_PFX}")
else()
    set(KESTAL_SIGN_OPTIONS "")
    message(STATUS "Kestal: unsigned build (no KESTAL_SIGN_PFX given)")
endif()

function(kestal_windows_program target description)
    set(file_name ${target}${CMAKE_EXECUTABLE_SUFFIX})
    # As numbers: the resource compiler would read 1.09's "09" as octal.
    math(EXPR version_major "${PROJECT_VERSION_MAJOR}")
    math(EXPR version_minor "${PROJECT_VERSION_MINOR}")
    set(record ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    configure_file(${KESTAL_VERSION_RC_IN} ${record} @ONLY)
    target_sources(${target} PRIVATE ${record})
    if(KESTAL_SIGN_OPTIONS)
        add_custom_command(TARGET ${target} POST_BUILD
                           COMMAND Python3::Interpreter ${KESTAL_SIGN_SCRIPT}
                                   $<TARGET_FILE:${target}> ${KESTAL_SIGN_OPTIONS}
                           VERBATIM)
    endif()
endfunction()
