#include "app/qt/frame_style.hpp"

namespace kestal {

void FrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameGroupBox && baseStyle()->name() == QStringLiteral("fusion")) {
        element = PE_Frame;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

}  // namespace kestal
