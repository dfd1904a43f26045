#include "app/window/announcements.hpp"

#include <string>

#include "app/window/window_description.hpp"

namespace kestal {

namespace {

constexpr std::u16string_view kSevenEmpty = u"Les sept cases sont vides.";

std::u16string_view Caption(Scale scale) {
    return Form1Description().Control(CaptionName(scale)).text;
}

}  // namespace

bool Announcer::IsNew(std::u16string_view text) {
    if (text == m_last) {
        return false;
    }
    m_last = text;
    return true;
}

std::optional<Announcement> Announcer::After(Scale source, RunOutcome outcome,
                                             const ScaleBoxes& boxes) {
    switch (outcome) {
        case RunOutcome::Converted: {
            std::array<std::u16string, kScaleCount> shown;
            for (const Scale scale : kAllScales) {
                shown[ColumnOf(scale)] = boxes.Text(scale);
            }
            std::u16string said = RunAnnouncement(source, shown);
            if (!IsNew(said)) {
                return std::nullopt;
            }
            return Announcement{std::move(said), Pace::Settled};
        }
        case RunOutcome::NotANumber:
            Said(NotANumberAnnouncement());
            return Announcement{NotANumberAnnouncement(), Pace::Now};
        case RunOutcome::OthersEmptied:
            Said(EmptiedAnnouncement());
            return Announcement{EmptiedAnnouncement(), Pace::Settled};
        case RunOutcome::NothingTyped:
            break;
    }
    return std::nullopt;
}

std::u16string RunAnnouncement(Scale source, const std::array<std::u16string, kScaleCount>& shown) {
    std::u16string said = std::u16string(Caption(source)) + u" " + shown[ColumnOf(source)] + u" :";
    std::u16string empty;
    bool anyFigure = false;
    // Semicolons between figures: a figure's decimal comma is not a pause.
    for (const Scale scale : kAllScales) {
        if (scale == source) {
            continue;
        }
        const std::u16string& text = shown[ColumnOf(scale)];
        if (text.empty()) {
            empty += (empty.empty() ? u" vides : " : u", ") + std::u16string(Caption(scale));
            continue;
        }
        said += (anyFigure ? u" ; " : u" ") + std::u16string(Caption(scale)) + u" " + text;
        anyFigure = true;
    }
    if (!anyFigure) {
        return said + u" les six autres cases sont vides.";
    }
    return said + (empty.empty() ? u"" : u" ;" + empty) + u".";
}

std::u16string NotANumberAnnouncement() {
    return std::u16string(kNotANumberMessage) + u". " + std::u16string(kSevenEmpty);
}

std::u16string EmptiedAnnouncement() {
    return std::u16string(kSevenEmpty);
}

std::u16string TableOpenedAnnouncement(Reach reach) {
    const std::u16string opened =
        u"Fenêtre «\u00a0" + std::u16string(TableWindowDescription().caption) + u"\u00a0» ouverte";
    if (reach == Reach::Touch) {
        return opened + u" après la fenêtre principale ; son bouton Fermer la ferme.";
    }
    std::u16string key = u"F";
    for (const char digit : std::to_string(kShowInTableFunctionKey)) {
        key += static_cast<char16_t>(digit);
    }
    return opened + u" : " + key + u" y mène, Échap la ferme.";
}

}  // namespace kestal
