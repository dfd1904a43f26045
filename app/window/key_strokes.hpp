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
// A change of the text that no key held in the box made (a paste, a cut or
// a delete from a menu, a drop, an input method, dictation) converts at once:
// no release will follow it, and the other boxes must not go on showing the
// figures of a value that is no longer there. A touch keyboard often names no
// key at all (a browser reports it as the unidentified key), so from such a
// key on each change converts too, until a real key is pressed in the box or
// the box loses the focus.
class KeyStrokes {
public:
    void Pressed(int key);
    void PressedUnidentified() { m_unidentified = true; }
    // True when this release should start a conversion.
    bool Released(int key, bool autoRepeat);
    // True when this change of the text by the user should start a conversion
    // (RunTextChange): no key pressed in this box is still down to bring a
    // release, or the keyboard names none.
    bool Changed() const { return m_unidentified || m_held.empty(); }
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
