#pragma once

// What a screen reader is told when something changes that the user's focus
// is not on: a run's figures in the other boxes, the boxes emptied, the table
// window opened beside. Worded here once for every front end, each saying it
// its own way (the page's live region, an accessible notification in the Qt
// window, a live region in kestal.exe).

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "app/window/key_release_run.hpp"
#include "conversion/scale.hpp"

namespace kestal {

// When it is said: at once, or once the typing has paused for
// kSettleMilliseconds, so that fast keys give one announcement of the figures
// they settle on rather than one for every key.
enum class Pace { Now, Settled };
inline constexpr int kSettleMilliseconds = 500;

struct Announcement {
    std::u16string text;
    Pace pace = Pace::Now;
};

// The last thing said, so that a run that would only say it again (a caret
// key, Shift alone, the same value pasted again) stays silent.
class Announcer {
public:
    // True when `text` differs from the last announcement; it is then the last.
    bool IsNew(std::u16string_view text);
    // `text` was said whatever came before it (a message, the boxes emptied).
    void Said(std::u16string_view text) { m_last = text; }
    // What to say after a run from the box of `source` (a key release or a
    // change with no key) that ended `outcome`, `boxes` showing its result:
    // the figures once settled, the failure at once, the boxes emptied by a
    // cut once settled; nothing after an empty box, nor figures said last.
    std::optional<Announcement> After(Scale source, RunOutcome outcome, const ScaleBoxes& boxes);

private:
    std::u16string m_last;
};

// After a run from the box of `source` that converted, the seven boxes
// showing `shown` (by Scale): the typed value, each figure with its box's
// caption, then the boxes left empty, "HV 200 : HBS / HBW 190,0 ; HRB 91,8 ;
// Rm 650,0 ; vides : HRA, HRC, HRD."
std::u16string RunAnnouncement(Scale source, const std::array<std::u16string, kScaleCount>& shown);

// After the failure message: the message itself, and the seven boxes emptied.
std::u16string NotANumberAnnouncement();

// After "Effacer tout".
std::u16string EmptiedAnnouncement();

// How the user reaches and closes a window: keys, or a touch screen's fingers.
enum class Reach { Keys, Touch };

// The table window has opened, and how to reach and close it: from the
// keyboard, or on a touch screen, where it opens after the main window.
std::u16string TableOpenedAnnouncement(Reach reach = Reach::Keys);

}  // namespace kestal
