#pragma once

#include <vector>

namespace kestal {

// Which key releases in a scale box start a conversion. Only the release of a
// key that was pressed in that same box does, and only the real release at
// the end of a held key, not the releases that auto-repeat sends with every
// repeated press. So a Tab or Shift+Tab that moves the focus into a box
// converts nothing there (the box would otherwise overwrite the typed value
// with one derived back from a rounded figure), and neither does the release
// of the key that closed a message. Keys are the toolkit's own key codes.
class KeyStrokes {
public:
    void Pressed(int key);
    // True when this release should start a conversion.
    bool Released(int key, bool autoRepeat);
    // Keys still held when the box loses the focus finish elsewhere.
    void FocusLeft() { m_held.clear(); }

private:
    std::vector<int> m_held;
};

}  // namespace kestal
