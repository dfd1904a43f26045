#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <ctime>
#include <string>

#include "app/source_revision.hpp"
#include "app/text_encoding.hpp"
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
    std::tm local{};
    char when[64] = {};
    if (localtime_r(&now, &local) != nullptr) {
        std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S (UTC%z)", &local);
    }
    context.when = Utf16(when);
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
