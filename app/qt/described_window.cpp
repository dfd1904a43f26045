#include "app/qt/described_window.hpp"

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

}  // namespace

QList<QWidget*> BuildWindow(QWidget& window, const WindowDescription& description) {
    window.setObjectName(QString::fromLatin1(description.name));
    window.setWindowTitle(ToQString(description.caption));
    window.setWindowIcon(ProgramIcon());
    window.setFont(FontOf(description.font));
    window.setFixedSize(Pixels(description.clientWidth), Pixels(description.clientHeight));

    QList<QWidget*> controls;
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
            SetTextColour(widget, *control.colour);
        }
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
