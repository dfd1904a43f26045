#include "app/window/key_strokes.hpp"

#include <algorithm>

namespace kestal {

void KeyStrokes::Pressed(int key) {
    m_unidentified = false;
    if (std::ranges::find(m_held, key) == m_held.end()) {
        m_held.push_back(key);
    }
}

bool KeyStrokes::Released(int key, bool autoRepeat) {
    const auto held = std::ranges::find(m_held, key);
    if (held == m_held.end()) {
        return false;
    }
    if (autoRepeat) {
        return false;  // the key is still down; its last release comes later
    }
    m_held.erase(held);
    return true;
}

}  // namespace kestal
