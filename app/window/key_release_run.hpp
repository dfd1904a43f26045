#pragma once

#include <string>
#include <string_view>

#include "app/window/box_notes.hpp"
#include "conversion/conversion_engine.hpp"
#include "conversion/scale.hpp"

namespace kestal {

// The seven scale boxes of the main window, as a front end shows them.
class ScaleBoxes {
public:
    virtual ~ScaleBoxes() = default;

    virtual std::u16string Text(Scale scale) const = 0;
    // A write from the program, which starts no conversion.
    virtual void SetText(Scale scale, std::u16string_view text) = 0;
    // The failure message, modal: returns once the user has closed it.
    virtual void ShowNotANumber() = 0;
    // The reasons behind the boxes (their tooltips) and the report after a
    // run; all empty once the boxes are emptied.
    virtual void SetNotes(const BoxNotes& notes) { static_cast<void>(notes); }
    // False for boxes that show no notes (the validation record's, in memory):
    // they are given what the run went by, without its words.
    virtual bool ShowsNotes() const { return true; }
};

// Empties the seven boxes, HV to Rm, and their notes.
void EmptyAllBoxes(ScaleBoxes& boxes);

enum class RunOutcome { NothingTyped, Converted, NotANumber, OthersEmptied };

// What a key release in the box of `source` does. An empty box converts
// nothing and leaves the other boxes as they are. A number writes the six
// targets in TargetOrder as each is complete, then the notes on all seven.
// Anything else shows the failure message, then empties all seven boxes, the
// typed one too.
RunOutcome RunKeyRelease(const ConversionEngine& engine, Scale source, ScaleBoxes& boxes);

// What a change of the box's text that no key release follows does (a paste,
// a cut or a delete from a menu, a drop, an input method, dictation: see
// KeyStrokes::Changed): the same as a key release, except that a text emptied
// this way empties the six other boxes and the notes too (OthersEmptied),
// since their figures belonged to a value that is no longer there.
RunOutcome RunTextChange(const ConversionEngine& engine, Scale source, ScaleBoxes& boxes);

// What "Copier les sept valeurs" copies from the boxes; "" when all are empty,
// where neither copy has anything to give.
std::u16string SevenValues(const ScaleBoxes& boxes);

}  // namespace kestal
