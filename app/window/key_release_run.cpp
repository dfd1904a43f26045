#include "app/window/key_release_run.hpp"

namespace kestal {

void EmptyAllBoxes(ScaleBoxes& boxes) {
    for (const Scale scale : kAllScales) {
        boxes.SetText(scale, {});
    }
    boxes.SetNotes({});
}

RunOutcome RunKeyRelease(const ConversionEngine& engine, Scale source, ScaleBoxes& boxes) {
    const std::u16string text = boxes.Text(source);
    if (text.empty()) {
        return RunOutcome::NothingTyped;
    }
    ConversionReasons reasons;
    std::array<std::u16string, kScaleCount> shown;
    shown[ColumnOf(source)] = text;
    const ConversionOutcome outcome = engine.Convert(
        source, text,
        [&](Scale target, std::u16string_view targetText) {
            boxes.SetText(target, targetText);
            shown[ColumnOf(target)] = targetText;
        },
        &reasons);
    if (outcome == ConversionOutcome::ConversionFailure) {
        boxes.ShowNotANumber();
        EmptyAllBoxes(boxes);
        return RunOutcome::NotANumber;
    }
    boxes.SetNotes(boxes.ShowsNotes() ? NotesOf(reasons, text, shown, engine.Numbers())
                                      : BoxNotes{.reasons = {}, .report = {}, .run = reasons});
    return RunOutcome::Converted;
}

RunOutcome RunTextChange(const ConversionEngine& engine, Scale source, ScaleBoxes& boxes) {
    if (!boxes.Text(source).empty()) {
        return RunKeyRelease(engine, source, boxes);
    }
    for (const Scale target : TargetOrder(source)) {
        boxes.SetText(target, {});
    }
    boxes.SetNotes({});
    return RunOutcome::OthersEmptied;
}

std::u16string SevenValues(const ScaleBoxes& boxes) {
    std::array<std::u16string, kScaleCount> texts;
    bool anyShown = false;
    for (const Scale scale : kAllScales) {
        texts[ColumnOf(scale)] = boxes.Text(scale);
        anyShown = anyShown || !texts[ColumnOf(scale)].empty();
    }
    return anyShown ? SevenValues(texts) : std::u16string();
}

}  // namespace kestal
