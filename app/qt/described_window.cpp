#include "app/qt/described_window.hpp"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <QWindow>

#include "app/qt/look.hpp"
#include "app/qt/plot_widget.hpp"
#include "app/qt/program_icon.hpp"
#include "app/qt/qt_text.hpp"
#include "app/qt/scale_box.hpp"
#include "app/qt/table_grid.hpp"

namespace kestal {

namespace {

QWidget* NewControl(const ControlDescription& control, QWidget* parent) {
    const QString text = ToQString(control.text);
    switch (control.kind) {
        case ControlKind::ScaleBox: {
            auto* box = new ScaleBox(*control.scale, parent);
            return box;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(text, parent);
            const Qt::Alignment across =
                control.alignment == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
            // A wrapped text starts at the top of its box; one line sits in its middle.
            label->setAlignment(across | (control.wraps ? Qt::AlignTop : Qt::AlignVCenter));
            label->setWordWrap(control.wraps);
            return label;
        }
        case ControlKind::Frame:
            return new QGroupBox(text, parent);
        case ControlKind::PushButton: {
            auto* button = new QPushButton(text, parent);
            // Enter and Escape press nothing in these windows.
            button->setAutoDefault(false);
            button->setDefault(false);
            return button;
        }
        case ControlKind::Table:
            return new TableGrid(parent);
        case ControlKind::Plot:
            return new PlotWidget(parent);
    }
    return nullptr;
}

// Gives the labels of a colour of their own that colour, or the palette's
// text where it would not read, again whenever the window's palette changes.
class DescribedColours : public QObject {
public:
    explicit DescribedColours(QWidget& window) : QObject(&window), m_window(window) {
        window.installEventFilter(this);
    }

    void Add(QWidget* label, Colour colour) {
        m_labels.append({label, colour});
        SetTextColour(label, colour, m_window.palette());
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::PaletteChange) {
            for (const auto& [label, colour] : m_labels) {
                SetTextColour(label, colour, m_window.palette());
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& m_window;
    QList<std::pair<QWidget*, Colour>> m_labels;
};

}  // namespace

QList<QWidget*> BuildWindow(QWidget& window, const WindowDescription& description) {
    window.setObjectName(QString::fromLatin1(description.name));
    window.setWindowTitle(ToQString(description.caption));
    window.setWindowIcon(ProgramIcon());
    window.setFont(FontOf(description.font));
    window.setFixedSize(Pixels(description.clientWidth), Pixels(description.clientHeight));

    QList<QWidget*> controls;
    auto* colours = new DescribedColours(window);
    QWidget* previousInTabOrder = nullptr;
    for (const ControlDescription& control : description.controls) {
        QWidget* parent = &window;
        if (!control.parent.empty()) {
            parent = window.findChild<QWidget*>(QString::fromLatin1(control.parent));
        }
        QWidget* widget = NewControl(control, parent);
        widget->setObjectName(QString::fromLatin1(control.name));
        widget->setGeometry(Pixels(control.rect.left), Pixels(control.rect.top),
                            Pixels(control.rect.width), Pixels(control.rect.height));
        if (control.font) {
            widget->setFont(FontOf(*control.font));
        }
        if (control.colour) {
            colours->Add(widget, *control.colour);
        }
        // A name set here stands; without one Qt takes the control's own text.
        widget->setAccessibleName(ToQString(control.accessibleName));
        widget->setAccessibleDescription(ToQString(control.accessibleDescription));
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (previousInTabOrder != nullptr) {
                QWidget::setTabOrder(previousInTabOrder, widget);
            }
            previousInTabOrder = widget;
        }
        controls << widget;
    }
    return controls;
}

void PlaceBeside(QWidget& window, const WindowDescription& description, QWidget& mainWindow) {
    const WindowDescription& main = Form1Description();
    const QPoint offset(Pixels(description.designLeft - main.designLeft),
                        Pixels(description.designTop - main.designTop));
    window.setGeometry(QRect(mainWindow.geometry().topLeft() + offset, window.size()));
    window.winId();  // creates the native window so that it can stay above the main one
    if (QWindow* mainHandle = mainWindow.windowHandle()) {
        window.windowHandle()->setTransientParent(mainHandle);
    }
}

}  // namespace kestal
