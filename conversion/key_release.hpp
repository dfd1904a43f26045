#pragma once

#include <QString>
#include <vector>

#include "conversion/conversion_engine.hpp"

namespace kestal {

// Which key releases in a scale box start a conversion. Only the release of a
// key that was pressed in that same box does, and only the real release at
// the end of a held key, not the releases that auto-repeat sends with every
// repeated press. So a Tab or Shift+Tab that moves the focus into a box
// converts nothing there (the box would otherwise overwrite the typed value
// with one derived back from a rounded figure), and neither does the release
// of the key that closed a message.
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

enum class RunOutcome {
    Converted,    // every target written
    EmptySource,  // nothing to convert: no box written, the others keep their texts
    NotANumber,   // the caller reports it, then empties all seven boxes
};

// One conversion from the text of the source box. Each target's text goes to
// `write` as soon as it is complete; on NotANumber the targets written so far
// are still to be emptied by the caller.
RunOutcome RunKeyRelease(const ConversionEngine& engine, Scale source, const QString& text,
                         const TargetSink& write);

}  // namespace kestal
