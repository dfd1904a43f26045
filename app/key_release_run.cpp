#include "app/key_release_run.hpp"

namespace kestal {

void EmptyAllBoxes(ScaleBoxes& boxes) {
    for (const Scale scale : kAllScales) {
        boxes.SetText(scale, {});
    }
}

void RunKeyRelease(const ConversionEngine& engine, Scale source, ScaleBoxes& boxes) {
    const std::u16string text = boxes.Text(source);
    if (text.empty()) {
        return;
    }
    const ConversionOutcome outcome = engine.Convert(
        source, text,
        [&boxes](Scale target, std::u16string_view shown) { boxes.SetText(target, shown); });
    if (outcome == ConversionOutcome::ConversionFailure) {
        boxes.ShowNotANumber();
        EmptyAllBoxes(boxes);
    }
}

}  // namespace kestal
