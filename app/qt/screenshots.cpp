// Renders the windows into PNG files for the README:
//   kestal-screenshots OUTPUT_DIR
// The main window shows a conversion typed into the HV box; tooltip.png the
// same with the HRC box's tooltip open; table.png the table window following
// that conversion; the help window as it opens. Run it with
// QT_QPA_PLATFORM=offscreen where there is no display.

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTest>
#include <QToolTip>
#include <cstdio>

#include "app/qt/form1.hpp"
#include "app/qt/form2.hpp"
#include "app/qt/look.hpp"
#include "app/qt/qt_text.hpp"
#include "app/qt/scale_box.hpp"
#include "app/qt/start_up.hpp"
#include "app/qt/table_window.hpp"
#include "app/qt/user_locale.hpp"

namespace {

// The window with the tooltip of `box` open over it, as one picture.
QPixmap WithToolTip(QWidget& window, QWidget& box) {
    QToolTip::showText(box.mapToGlobal(QPoint(box.width() / 2, box.height())), box.toolTip(), &box);
    QWidget* tip = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QTipLabel") && widget->isVisible()) {
            tip = widget;
        }
    }
    if (tip == nullptr) {
        return {};
    }
    const QRect area = window.geometry().united(tip->geometry());
    QPixmap picture(area.size());
    picture.fill(QColor(0x5a, 0x5a, 0x5a));  // a desktop behind, where the tip overhangs
    QPainter painter(&picture);
    painter.drawPixmap(window.geometry().topLeft() - area.topLeft(), window.grab());
    painter.drawPixmap(tip->geometry().topLeft() - area.topLeft(), tip->grab());
    return picture;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kestal::ToQString(kestal::kApplicationTitle));
    QApplication::setFont(kestal::FontOf(kestal::Form1Description().font));
    kestal::SpeakFrenchInQt();
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestal-screenshots OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "kestal-screenshots: cannot create %s\n", argv[1]);
        return 1;
    }

    kestal::Form1 form1(kestal::NumberSymbolsOf(QLocale(QLocale::French, QLocale::France)));
    form1.show();
    QTest::keyClicks(form1.Box(kestal::Scale::HV), QStringLiteral("645"));

    bool saved = form1.grab().save(out.filePath(QStringLiteral("form1.png")));
    saved = WithToolTip(form1, *form1.Box(kestal::Scale::HRC))
                .save(out.filePath(QStringLiteral("tooltip.png"))) &&
            saved;
    QToolTip::hideText();
    // F8 as the user presses it, which works in the active window only.
    saved = QTest::qWaitForWindowActive(&form1) && saved;
    QTest::keyClick(form1.Box(kestal::Scale::HV),
                    Qt::Key(Qt::Key_F1 + kestal::kShowInTableFunctionKey - 1));
    kestal::TableWindow* table = form1.Table();
    saved =
        table != nullptr && table->grab().save(out.filePath(QStringLiteral("table.png"))) && saved;
    QTest::mouseClick(form1.findChild<QWidget*>(QStringLiteral("Command3")), Qt::LeftButton);
    if (kestal::Form2* help = form1.HelpWindow()) {
        saved = help->grab().save(out.filePath(QStringLiteral("form2.png"))) && saved;
        help->close();
    }
    return saved ? 0 : 1;
}
