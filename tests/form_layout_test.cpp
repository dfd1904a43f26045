// Layout of the main window and of the help window, measured on the real
// widgets: the design is in twips, 15 twips to the pixel at 96 dots per inch.
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <memory>

#include "app/form1.hpp"
#include "app/form2.hpp"
#include "app/look.hpp"

using kestal::Form1;
using kestal::Form2;

namespace {

QRect Twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

// A data row about control `name` of window `window` (Form1 or Form2), named after both.
QTestData& Row(const char* window, const QString& name) {
    return QTest::addRow("%s %s", window, qPrintable(name)) << QString(window) << name;
}
void AddWindowAndNameColumns() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
}

const QStringList kCaptions{"HV", "HBS / HBW", "HRA", "HRB", "HRC", "HRD", "Rm"};
const QString kNote = QStringLiteral(
    "Ces conversions sont issues des normes NF A 03-172 et NF A 03-173 et sont données pour des "
    "aciers particuliers. Consultez ces deux normes pour plus d'informations.");
const QString kHint =
    QStringLiteral("Les valeurs doivent être écrites avec une virgule et non un point");
const QString kHelp = QStringLiteral(
    "Ce logiciel est très simple d'utilisation. Il suffit d'entrer la valeur à convertir dans la "
    "zone texte correspondant à son unité. Le logiciel calcul, lorsqu'il existe une "
    "correspondance, la kestal dans les autres unités.");

}  // namespace

class FormLayoutTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Form1> m_form1;

    // Opens the help window the way the user does, by clicking "Aide".
    Form2* OpenHelp() {
        if (m_form1->HelpWindow() == nullptr) {
            QTest::mouseClick(m_form1->findChild<QPushButton*>("Command3"), Qt::LeftButton);
        }
        // Waits for the help window itself to be active: QWindow::isActive() is
        // already true of a transient window while its parent has the focus.
        Form2* help = m_form1->HelpWindow();
        if (help == nullptr ||
            !QTest::qWaitFor([help] { return QApplication::activeWindow() == help; })) {
            return nullptr;
        }
        return help;
    }
    QWidget* Window(const QString& name) {
        return name == "Form1" ? static_cast<QWidget*>(m_form1.get()) : OpenHelp();
    }
    QWidget* Control(const QString& window, const QString& name) {
        QWidget* top = Window(window);
        return top != nullptr ? top->findChild<QWidget*>(name) : nullptr;
    }
    // The control named by the current data row.
    QWidget* RowControl() {
        QFETCH(QString, window);
        QFETCH(QString, name);
        return Control(window, name);
    }

private Q_SLOTS:
    void init() {
        m_form1 = std::make_unique<Form1>(QLocale(QLocale::French, QLocale::France));
        m_form1->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form1.get()));
    }
    void cleanup() {
        if (Form2* help = m_form1->HelpWindow()) {
            help->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        m_form1.reset();
    }

    // Each window as it opens: name, title, fixed size, no maximize/minimize buttons, an icon.
    void windows_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("minimizable");
        QTest::newRow("main") << "Form1"
                              << "Conversion de kestal" << QSize(292, 493) << true;
        QTest::newRow("help") << "Form2"
                              << "Conversion de kestal - Aide" << QSize(304, 269) << false;
    }
    void windows() {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QSize, size);
        QFETCH(bool, minimizable);
        QWidget* window = Window(name);
        QVERIFY(window != nullptr);
        QCOMPARE(window->objectName(), name);
        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(window->minimumSize(), size);
        QCOMPARE(window->maximumSize(), size);
        QCOMPARE(window->size(), size);
        QVERIFY(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint), minimizable);
        QVERIFY(!window->windowIcon().isNull());
    }

    // Each control as its window opens: parent, rectangle in pixels (twips / 15), text.
    void geometry_data() {
        AddWindowAndNameColumns();
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QString>("text");
        for (int i = 0; i < 7; ++i) {
            const int top = 795 + 525 * i;
            Row("Form1", QStringLiteral("Text%1").arg(i + 1))
                << "Form1" << Twips(105, top, 1695, 330) << QString();
            Row("Form1", QStringLiteral("Label1_%1").arg(i))
                << "Form1" << Twips(2520, top, 1590, 330) << kCaptions[i];
        }
        const QString credit = kestal::kCreditLine;
        Row("Form1", "Frame1") << "Form1" << Twips(105, 5550, 4215, 1275) << "Recommandations";
        Row("Form1", "Label2") << "Frame1" << Twips(240, 360, 3795, 855) << kNote;
        Row("Form1", "Label3") << "Form1" << Twips(360, 7020, 3510, 225) << credit;
        Row("Form1", "Label4") << "Form1" << Twips(120, 120, 4095, 495) << kHint;
        Row("Form1", "Command1") << "Form1" << Twips(120, 4800, 1215, 495) << "&Effacer tout";
        Row("Form1", "Command2") << "Form1" << Twips(3000, 4800, 1215, 495) << "&Terminé";
        Row("Form1", "Command3") << "Form1" << Twips(1560, 4800, 1215, 495) << "&Aide";
        Row("Form2", "Label1") << "Form2" << Twips(360, 360, 3855, 2415) << kHelp;
        Row("Form2", "Label3") << "Form2" << Twips(480, 3720, 3510, 225) << credit;
        Row("Form2", "Command1") << "Form2" << Twips(1440, 3000, 1695, 495) << "&Retour";
    }
    void geometry() {
        QFETCH(QString, parent);
        QFETCH(QRect, rect);
        QFETCH(QString, text);
        QWidget* control = RowControl();
        QVERIFY(control != nullptr);
        QCOMPARE(control->parentWidget()->objectName(), parent);
        QCOMPARE(control->geometry(), rect);
        QVERIFY(control->parentWidget()->rect().contains(rect));
        QVERIFY(control->isVisible());
        QString shown;
        if (auto* label = qobject_cast<QLabel*>(control)) {
            shown = label->text();
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            shown = button->text();
        } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
            shown = box->text();
        } else {
            shown = qobject_cast<QGroupBox*>(control)->title();
        }
        QCOMPARE(shown, text);
        QVERIFY(!shown.isEmpty() || qobject_cast<QLineEdit*>(control));  // the credit too
    }

    // Each text control's font: family, size, weight, no italic/underline/strikeout.
    void fonts_data() {
        AddWindowAndNameColumns();
        QTest::addColumn<QString>("family");  // "sans", "serif" or "window" (the window's font)
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        for (int i = 0; i < 7; ++i) {
            Row("Form1", QStringLiteral("Label1_%1").arg(i)) << "sans" << 12.0 << true;
            Row("Form1", QStringLiteral("Text%1").arg(i + 1)) << "window" << 8.25 << false;
        }
        Row("Form1", "Label4") << "sans" << 9.75 << true;
        Row("Form1", "Label3") << "serif" << 9.75 << true;
        for (const char* name : {"Label2", "Frame1", "Command1", "Command2", "Command3"}) {
            Row("Form1", name) << "window" << 8.25 << false;
        }
        Row("Form2", "Label1") << "serif" << 14.25 << false;
        Row("Form2", "Label3") << "serif" << 9.75 << true;
        Row("Form2", "Command1") << "window" << 8.25 << false;
    }
    void fonts() {
        QFETCH(QString, family);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QWidget* control = RowControl();
        QVERIFY(control != nullptr);
        const QFont font = control->font();
        if (family == "window") {
            QCOMPARE(font, control->window()->font());
            QCOMPARE(font.family(), kestal::SansFont(8.25, false).family());
        } else {
            const QFont looked =
                family == "sans" ? kestal::SansFont(points, bold) : kestal::SerifFont(points, bold);
            QCOMPARE(font.family(), looked.family());
            QCOMPARE(QFontInfo(font).family(), font.family());
        }
        QVERIFY2(qFuzzyCompare(font.pointSizeF(), points),
                 qPrintable(QString::number(font.pointSizeF())));
        QCOMPARE(font.bold(), bold);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
    }

    // Each label as its window opens: text colour, alignment, word wrap of the long texts.
    void labelLook_data() {
        AddWindowAndNameColumns();
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("mask");  // the alignment bits that matter
        QTest::addColumn<int>("alignment");
        QTest::addColumn<bool>("wraps");
        const QColor standard = QApplication::palette().color(QPalette::WindowText);
        const int across = Qt::AlignHorizontal_Mask;
        for (int i = 0; i < 7; ++i) {
            Row("Form1", QStringLiteral("Label1_%1").arg(i))
                << standard << (across | Qt::AlignVertical_Mask) << int(Qt::AlignCenter) << false;
        }
        Row("Form1", "Label2") << standard << across << int(Qt::AlignLeft) << true;
        Row("Form1", "Label3") << QColor(0, 0, 255) << 0 << 0 << false;
        Row("Form1", "Label4") << QColor(255, 0, 0) << across << int(Qt::AlignHCenter) << true;
        Row("Form2", "Label1") << standard << across << int(Qt::AlignHCenter) << true;
        Row("Form2", "Label3") << QColor(0, 0, 255) << 0 << 0 << false;
    }
    void labelLook() {
        QFETCH(QColor, colour);
        QFETCH(int, mask);
        QFETCH(int, alignment);
        QFETCH(bool, wraps);
        auto* label = qobject_cast<QLabel*>(RowControl());
        QVERIFY(label != nullptr);
        QCOMPARE(label->palette().color(QPalette::Active, QPalette::WindowText), colour);
        QCOMPARE(int(label->alignment()) & mask, alignment);
        QVERIFY(label->wordWrap() || !wraps);
    }

    // Each label's text fits its box: wrapped for the long texts, on one line otherwise.
    void labelsNotClipped_data() {
        AddWindowAndNameColumns();
        for (const char* name : {"Label1_0", "Label1_1", "Label1_2", "Label1_3", "Label1_4",
                                 "Label1_5", "Label1_6", "Label2", "Label3", "Label4"}) {
            Row("Form1", name);
        }
        Row("Form2", "Label1");
        Row("Form2", "Label3");
    }
    void labelsNotClipped() {
        auto* label = qobject_cast<QLabel*>(RowControl());
        QVERIFY(label != nullptr);
        const QRect room = label->contentsRect();
        const QFontMetrics metrics(label->font());
        QSize needed;
        if (label->wordWrap()) {
            needed = metrics
                         .boundingRect(QRect(0, 0, room.width(), 10000),
                                       int(label->alignment()) | Qt::TextWordWrap, label->text())
                         .size();
        } else {
            // A single line: its glyphs take ascent + descent; the font's leading
            // only separates it from a next line, which there is not.
            needed = QSize(metrics.horizontalAdvance(label->text()), metrics.height());
        }
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(QStringLiteral("needs %1x%2, has %3x%4")
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(room.width())
                                .arg(room.height())));
    }

    // The note lies in the frame's contents, below its title; each button caption fits.
    void framesAndButtonsNotClipped() {
        auto* frame = m_form1->findChild<QGroupBox*>("Frame1");
        auto* note = m_form1->findChild<QLabel*>("Label2");
        QVERIFY(frame != nullptr && note != nullptr);
        QVERIFY2(
            frame->contentsRect().contains(note->geometry()),
            qPrintable(
                QStringLiteral("top %1 vs %2").arg(note->y()).arg(frame->contentsRect().top())));
        for (QPushButton* button :
             m_form1->findChildren<QPushButton*>() + OpenHelp()->findChildren<QPushButton*>()) {
            QString caption = button->text();
            caption.remove('&');
            const int margin =
                button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
            QVERIFY2(
                QFontMetrics(button->font()).horizontalAdvance(caption) + margin <= button->width(),
                qPrintable(caption));
        }
    }

    // Main window just shown: Text1 focused, boxes empty; tab chain Text1-7, Command1-3, back.
    void tabOrder() {
        QWidget* text1 = m_form1->findChild<QWidget*>("Text1");
        QCOMPARE(QApplication::focusWidget(), text1);
        for (const QLineEdit* box : m_form1->findChildren<QLineEdit*>()) {
            QVERIFY(box->text().isEmpty());
        }
        QStringList order;
        QWidget* widget = text1;
        do {
            if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(m_form1.get()) &&
                widget->isEnabled()) {
                order << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != text1 && order.size() < 20);
        QCOMPARE(order, QStringList({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7",
                                     "Command1", "Command2", "Command3"}));
        for (QWidget* passive :
             m_form1->findChildren<QLabel*>() + OpenHelp()->findChildren<QLabel*>()) {
            QCOMPARE(passive->focusPolicy(), Qt::NoFocus);
        }
        QCOMPARE(m_form1->findChild<QGroupBox*>("Frame1")->focusPolicy(), Qt::NoFocus);
    }

    // Help window just opened: its "Retour" button has the focus.
    void helpFocus() {
        Form2* help = OpenHelp();
        QVERIFY(help != nullptr);
        QCOMPARE(QApplication::focusWidget(), help->findChild<QWidget*>("Command1"));
    }

    // Each button's access key is Alt plus the letter after its ampersand.
    void accessKeys_data() {
        AddWindowAndNameColumns();
        QTest::addColumn<QKeySequence>("key");
        Row("Form1", "Command1") << QKeySequence(Qt::ALT | Qt::Key_E);
        Row("Form1", "Command2") << QKeySequence(Qt::ALT | Qt::Key_T);
        Row("Form1", "Command3") << QKeySequence(Qt::ALT | Qt::Key_A);
        Row("Form2", "Command1") << QKeySequence(Qt::ALT | Qt::Key_R);
    }
    void accessKeys() {
        QFETCH(QKeySequence, key);
        auto* button = qobject_cast<QPushButton*>(RowControl());
        QVERIFY(button != nullptr);
        QCOMPARE(button->text().count('&'), 1);
        QCOMPARE(QKeySequence::mnemonic(button->text()), key);
    }

    // Enter/Escape in Text1, then in the help window: no button clicked, help stays open.
    void enterAndEscapePressNothing() {
        for (const QPushButton* button : m_form1->findChildren<QPushButton*>()) {
            QVERIFY(!button->isDefault() && !button->autoDefault());
        }
        QList<std::shared_ptr<QSignalSpy>> spies;
        for (const QPushButton* button : m_form1->findChildren<QPushButton*>()) {
            spies << std::make_shared<QSignalSpy>(button, &QPushButton::clicked);
        }
        QWidget* text1 = m_form1->findChild<QWidget*>("Text1");
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(text1, key);
        }
        for (const auto& spy : spies) {
            QCOMPARE(spy->count(), 0);
        }
        for (const QPushButton* button : m_form1->findChildren<QPushButton*>()) {
            QVERIFY(!button->isDown());  // an access key would have started a click
        }
        QPointer<Form2> help = OpenHelp();
        QVERIFY(help != nullptr);
        auto* back = help->findChild<QPushButton*>("Command1");
        QVERIFY(!back->isDefault() && !back->autoDefault());
        QSignalSpy backClicked(back, &QPushButton::clicked);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QCOMPARE(QApplication::focusWidget(), back);  // keys ignored there reach the window
            QTest::keyClick(back, key);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(help != nullptr && help->isVisible(),
                     qPrintable(QKeySequence(key).toString()));
            QCOMPARE(backClicked.count(), 0);
            QVERIFY(!back->isDown());
        }
        QCOMPARE(m_form1->HelpWindow(), help.data());
    }

    // Value typed and converted, Alt+E: "Effacer tout" clicked, all seven boxes empty.
    void altEClearsTheBoxes() {
        QVERIFY(m_form1->findChild<QLineEdit*>("Text1")->text().isEmpty());
        QTest::keyClicks(m_form1->findChild<QWidget*>("Text1"), "645");
        QCOMPARE(m_form1->findChild<QLineEdit*>("Text1")->text(), QString("645"));
        QCOMPARE(m_form1->findChild<QLineEdit*>("Text3")->text(), QString("79,9"));
        QSignalSpy clicked(m_form1->findChild<QPushButton*>("Command1"), &QPushButton::clicked);
        QTest::keyClick(m_form1.get(), Qt::Key_E, Qt::AltModifier);
        QVERIFY(clicked.count() == 1 || clicked.wait());  // an access key animates its click
        for (const QLineEdit* box : m_form1->findChildren<QLineEdit*>()) {
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        }
    }

    // Each window's icon: 32x32, opaque, hammer colours only, black head left, red handle right.
    void icon_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("main") << "Form1";
        QTest::newRow("help") << "Form2";
    }
    void icon() {
        QFETCH(QString, window);
        QWidget* top = Window(window);
        QVERIFY(top != nullptr);
        const QIcon icon = top->windowIcon();
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        const QImage image = icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(32, 32));
        QSet<QRgb> colours;
        bool blackLeft = false;
        bool redRight = false;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb pixel = image.pixel(x, y);
                QCOMPARE(qAlpha(pixel), 255);
                colours.insert(pixel);
                blackLeft = blackLeft || (x < 16 && pixel == qRgb(0, 0, 0));
                redRight = redRight ||
                           (x >= 16 && (pixel == qRgb(0x78, 0, 0) || pixel == qRgb(0x80, 0, 0)));
            }
        }
        QCOMPARE(colours, QSet<QRgb>({qRgb(0, 0x88, 0x88), qRgb(0, 0, 0), qRgb(0x78, 0, 0),
                                      qRgb(0x80, 0, 0)}));
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0x88, 0x88));
        QVERIFY(blackLeft && redRight);
    }

    // Each box is named, for screen readers, after the caption beside it.
    void accessibleNames_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < 7; ++i) {
            QTest::newRow(qPrintable(kCaptions[i])) << i;
        }
    }
    void accessibleNames() {
        QFETCH(int, row);
        QWidget* box = m_form1->findChild<QWidget*>(QStringLiteral("Text%1").arg(row + 1));
        auto* caption = m_form1->findChild<QLabel*>(QStringLiteral("Label1_%1").arg(row));
        QVERIFY(box != nullptr && caption != nullptr);
        QCOMPARE(box->accessibleName(), kCaptions[row]);
        QCOMPARE(box->accessibleName(), caption->text());
    }
};

QTEST_MAIN(FormLayoutTest)
#include "form_layout_test.moc"
