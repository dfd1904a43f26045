#include "app/qt/plot_widget.hpp"

#include <QAccessibleWidget>
#include <QPainter>
#include <QPolygonF>

#include "app/qt/described_window.hpp"
#include "app/qt/look.hpp"
#include "app/qt/qt_text.hpp"

namespace kestal {

namespace {

constexpr double kPointRadius = 2;  // pixels
constexpr double kMarkRadius = 3;

QPointF At(double left, double top) {
    return {Pixels(left), Pixels(top)};
}

Qt::Alignment Anchored(PlotAlign across, PlotAlign down) {
    constexpr Qt::Alignment kAcross[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    constexpr Qt::Alignment kDown[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return kAcross[static_cast<int>(across)] | kDown[static_cast<int>(down)];
}

QAccessibleInterface* AsChart(const QString& className, QObject* object) {
    if (className == QLatin1String(PlotWidget::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
    }
    return nullptr;
}

}  // namespace

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) {
    static const bool chart = (QAccessible::installFactory(&AsChart), true);
    static_cast<void>(chart);
    setAttribute(Qt::WA_OpaquePaintEvent);  // it paints all of itself
}

void PlotWidget::Draw(PlotView plot) {
    m_plot = std::move(plot);
    setAccessibleName(ToQString(m_plot.title));
    setAccessibleDescription(ToQString(m_plot.description));
    update();
}

void PlotWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette().color(QPalette::Text);
    const QColor curveColour = CurveColourOf(palette());
    const QColor markColour = MarkColourOf(palette());

    // Texts anchored at their twips: an empty rectangle there, the text aligned
    // against it and allowed out of it.
    for (const PlotText& text : m_plot.texts) {
        painter.setPen(text.marked ? markColour : ink);
        painter.drawText(QRectF(At(text.left, text.top), QSizeF()),
                         int(Anchored(text.across, text.down)) | Qt::TextDontClip,
                         ToQString(text.text));
    }

    // A one-pixel line drawn through pixel centres stays one pixel wide and sharp.
    painter.translate(0.5, 0.5);
    painter.setPen(QPen(ink, 1));
    for (const PlotLine& line : m_plot.axes) {
        painter.drawLine(At(line.left1, line.top1), At(line.left2, line.top2));
    }
    QPolygonF curve;
    for (const PlotPoint& point : m_plot.curve) {
        curve << At(point.left, point.top);
    }
    painter.setPen(QPen(curveColour, 1.5));
    painter.drawPolyline(curve);
    painter.setPen(Qt::NoPen);
    painter.setBrush(curveColour);
    for (const QPointF& point : curve) {
        painter.drawEllipse(point, kPointRadius, kPointRadius);
    }

    painter.setPen(QPen(markColour, 1, Qt::DashLine));
    for (const PlotLine& line : m_plot.markLines) {
        painter.drawLine(At(line.left1, line.top1), At(line.left2, line.top2));
    }
    if (const std::optional<PlotPoint>& mark = m_plot.mark) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(markColour);
        painter.drawEllipse(At(mark->left, mark->top), kMarkRadius, kMarkRadius);
    }
}

}  // namespace kestal
