#include "app/form1.hpp"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "app/form2.hpp"
#include "app/look.hpp"
#include "app/program_icon.hpp"
#include "app/scale_box.hpp"
#include "app/twips.hpp"
#include "conversion/key_release.hpp"

namespace kestal {

namespace {

constexpr int kRowTop = 795;
constexpr int kRowPitch = 525;

const QString kNotANumber =
    QStringLiteral("La valeur rentrée n'est pas considérée comme un nombre");

QPushButton* NewCommand(const char* name, const QString& caption, const QRect& geometry,
                        QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    // Enter and Escape press nothing in this window.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

}  // namespace

Form1::Form1(const QLocale& locale) : m_engine(m_table, locale) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Conversion de kestal"));
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    setFixedSize(Pixels(4380), Pixels(7395));
    BuildControls();
    Form_Load();
}

Form1::~Form1() {
    delete m_help;
}

Form2* Form1::HelpWindow() const {
    return m_help;
}

void Form1::BuildControls() {
    for (const Scale scale : kAllScales) {
        const int column = ColumnOf(scale);
        const int top = kRowTop + kRowPitch * column;
        const QString caption = QString::fromLatin1(ScaleCaption(scale));

        auto* box = new ScaleBox(scale, this);
        box->setObjectName(QStringLiteral("Text%1").arg(column + 1));
        box->setText(box->objectName());
        box->setGeometry(TwipsRect(105, top, 1695, 330));
        box->setAccessibleName(caption);
        connect(box, &ScaleBox::KeyUp, this, [this, scale] { Text_KeyUp(scale); });
        m_boxes[column] = box;

        auto* label = new QLabel(caption, this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(column));
        label->setGeometry(TwipsRect(2520, top, 1590, 330));
        label->setFont(SansFont(12, true));
        label->setAlignment(Qt::AlignCenter);
    }

    auto* frame = new QGroupBox(QStringLiteral("Recommandations"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(TwipsRect(105, 5550, 4215, 1275));
    auto* note = new QLabel(
        QStringLiteral("Ces conversions sont issues des normes NF A 03-172 et NF A 03-173 et "
                       "sont données pour des aciers particuliers. Consultez ces deux normes "
                       "pour plus d'informations."),
        frame);
    note->setObjectName(QStringLiteral("Label2"));
    note->setGeometry(TwipsRect(240, 360, 3795, 855));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    NewCreditLabel(this)->setGeometry(TwipsRect(360, 7020, 3510, 225));

    auto* hint = new QLabel(
        QStringLiteral("Les valeurs doivent être écrites avec une virgule et non un point"), this);
    hint->setObjectName(QStringLiteral("Label4"));
    hint->setGeometry(TwipsRect(120, 120, 4095, 495));
    hint->setFont(SansFont(9.75, true));
    hint->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    hint->setWordWrap(true);
    SetTextColor(hint, QColor(255, 0, 0));

    auto* clearAll = NewCommand("Command1", QStringLiteral("&Effacer tout"),
                                TwipsRect(120, 4800, 1215, 495), this);
    auto* quit =
        NewCommand("Command2", QStringLiteral("&Terminé"), TwipsRect(3000, 4800, 1215, 495), this);
    auto* help =
        NewCommand("Command3", QStringLiteral("&Aide"), TwipsRect(1560, 4800, 1215, 495), this);
    connect(clearAll, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(quit, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(help, &QPushButton::clicked, this, &Form1::Command3_Click);

    // The seven boxes, then the buttons as "clear, quit, help" (not left to right).
    QWidget* previous = m_boxes.front();
    for (QWidget* next : {static_cast<QWidget*>(m_boxes[1]), static_cast<QWidget*>(m_boxes[2]),
                          static_cast<QWidget*>(m_boxes[3]), static_cast<QWidget*>(m_boxes[4]),
                          static_cast<QWidget*>(m_boxes[5]), static_cast<QWidget*>(m_boxes[6]),
                          static_cast<QWidget*>(clearAll), static_cast<QWidget*>(quit),
                          static_cast<QWidget*>(help)}) {
        setTabOrder(previous, next);
        previous = next;
    }
    m_boxes.front()->setFocus();
}

void Form1::Form_Load() {
    EmptyAllBoxes();
    m_table.Fill();
}

void Form1::Text_KeyUp(Scale source) {
    const RunOutcome outcome =
        RunKeyRelease(m_engine, source, Box(source)->text(),
                      [this](Scale target, const QString& text) { Box(target)->setText(text); });
    if (outcome == RunOutcome::NotANumber) {
        ReportNotANumber();
        EmptyAllBoxes();
    }
}

void Form1::ReportNotANumber() {
    QMessageBox message(QMessageBox::NoIcon, kApplicationTitle, kNotANumber, QMessageBox::Ok, this);
    message.setObjectName(QStringLiteral("NotANumberMessage"));
    message.setWindowModality(Qt::ApplicationModal);
    message.exec();
}

void Form1::EmptyAllBoxes() {
    for (ScaleBox* box : m_boxes) {
        box->clear();
    }
}

void Form1::Command1_Click() {
    EmptyAllBoxes();
}

void Form1::Command2_Click() {
    QCoreApplication::quit();
}

void Form1::Command3_Click() {
    setEnabled(false);
    m_help = new Form2();
    connect(m_help, &Form2::Returning, this, &Form1::HelpReturning);
    m_help->ShowBeside(this);
}

void Form1::HelpReturning() {
    setEnabled(true);
    activateWindow();
}

void Form1::closeEvent(QCloseEvent* event) {
    // Out of use while the help window is open, the title bar's close included.
    if (m_help) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

}  // namespace kestal
