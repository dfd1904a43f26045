#pragma once

#include <string>

namespace kestal {

// Texts between the page's script and the module: the script writes a text
// into the inbox (kestal_inbox makes room for it) before the call that reads
// it, and reads a text a call leaves in the outbox after that call.
std::u16string& Inbox();
std::u16string& Outbox();

}  // namespace kestal
