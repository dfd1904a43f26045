# Writes the revision the sources are at, as git describes it ("9385322", with
# "-dirty" for changes not committed), to a header, only when it changed so
# that nothing is rebuilt for nothing; empty where git or the history is not
# there (a tarball). Run at every build:
#   cmake -DSOURCE=... -DOUTPUT=... -P source_revision.cmake
set(revision "")
find_package(Git QUIET)
if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE} describe --always --dirty --abbrev=12
                    OUTPUT_VARIABLE described OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE status ERROR_QUIET)
    if(status EQUAL 0)
        set(revision ${described})
    endif()
endif()
set(content "#pragma once\n\n#include <string_view>\n\nnamespace kestal {\n\n"
            "// The revision of the sources this build was made from, \"\" if unknown.\n"
            "inline constexpr std::string_view kSourceRevision = \"${revision}\";\n\n"
            "}  // namespace kestal\n")
if(EXISTS ${OUTPUT})
    file(READ ${OUTPUT} written)
endif()
if(NOT written STREQUAL content)
    file(WRITE ${OUTPUT} "${content}")
endif()
