#pragma once

#include <QProxyStyle>

namespace kestal {

// The desktop's own style, but for Fusion's frame around a group box
// ("Recommandations"): Fusion draws it from a picture, and loading that picture
// at the window's first paint makes Qt open every image-format plugin
// installed to ask whether it reads it. Its plain frame costs nothing.
class FrameStyle final : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};

}  // namespace kestal
