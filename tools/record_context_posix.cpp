#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <ctime>
#include <string>

#include "app/source_revision.hpp"
#include "app/text/text_encoding.hpp"
#include "conversion/version.hpp"
#include "record_context.hpp"

namespace kestal {

RecordContext ToolRecordContext(std::u16string_view numbers) {
    RecordContext context;
    context.program = Utf16("kestal-convert " + std::string(kVersion));
    context.revision = Utf16(kSourceRevision);
    if (utsname system{}; uname(&system) == 0) {
        context.system =
            Utf16(std::string(system.sysname) + " " + system.release + ", " + system.machine);
    }
    context.numbers = numbers;
    const std::time_t now = std::time(nullptr);
    if (std::tm local{}; localtime_r(&now, &local) != nullptr) {
        context.when = RecordTime({.year = local.tm_year + 1900,
                                   .month = local.tm_mon + 1,
                                   .day = local.tm_mday,
                                   .hour = local.tm_hour,
                                   .minute = local.tm_min,
                                   .second = local.tm_sec,
                                   .utcOffsetMinutes = static_cast<int>(local.tm_gmtoff / 60)});
    }
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        context.machine = Utf16(host);
    }
    if (const passwd* user = getpwuid(geteuid())) {
        context.user = Utf16(user->pw_name);
    }
    return context;
}

}  // namespace kestal
