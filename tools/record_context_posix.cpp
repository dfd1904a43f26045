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

namespace {

std::u16string Text(std::string_view utf8) {
    std::u16string out;
    Utf8ToUtf16(utf8, out);
    return out;
}

}  // namespace

RecordContext ToolRecordContext(std::u16string_view numbers) {
    RecordContext context;
    context.program = Text("kestal-convert " + std::string(kVersion));
    context.revision = Text(kSourceRevision);
    if (utsname system{}; uname(&system) == 0) {
        context.system =
            Text(std::string(system.sysname) + " " + system.release + ", " + system.machine);
    }
    context.numbers = numbers;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char when[64] = {};
    if (localtime_r(&now, &local) != nullptr) {
        std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S (UTC%z)", &local);
    }
    context.when = Text(when);
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        context.machine = Text(host);
    }
    if (const passwd* user = getpwuid(geteuid())) {
        context.user = Text(user->pw_name);
    }
    return context;
}

}  // namespace kestal
