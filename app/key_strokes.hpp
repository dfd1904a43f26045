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
//
// A touch keyboard often names no key at all (a browser reports it as the
// unidentified key): no release tells when its text has been typed, so from
// such a key on, each change the user makes to the text converts, until a
// real key is pressed in the box or the box loses the focus. Otherwise a
// change converts nothing: text pasted with the mouse waits for a key.
class KeyStrokes {
public:
    void Pressed(int key);
    void PressedUnidentified() { m_unidentified = true; }
    // True when this release should start a conversion.
    bool Released(int key, bool autoRepeat);
    // True when this change of the text by the user should start a conversion.
    bool Changed() const { return m_unidentified; }
    // Keys still held when the box loses the focus finish elsewhere.
    void FocusLeft() {
        m_held.clear();
        m_unidentified = false;
    }

private:
    std::vector<int> m_held;
    bool m_unidentified = false;
};

}  // namespace kestal
