#pragma once

#include <QString>

class QWidget;

namespace kestal {

// Without a display Qt stops with a raw plugin error; this says instead, in
// one sentence, what is missing and how to run the program anyway, with a
// command that works from the current folder. Empty when
// a display (or an explicit Qt platform, such as offscreen) is there.
QString MissingDisplayMessage();

// Qt's own texts (a box's context menu, a message's buttons) in French, as
// the rest of the windows, whatever the locale. Without Qt's translations
// installed they stay in English.
void SpeakFrenchInQt();

// With KESTAL_QUIT_WHEN_SHOWN set, the program ends as soon as `window` has
// been shown, after printing "shown: " and its title: the packaging tests
// check an installed program this way, and the start-up benchmark times it.
void QuitOnceShownIfAsked(QWidget& window);

}  // namespace kestal
