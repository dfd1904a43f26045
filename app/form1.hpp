#pragma once

#include <QPointer>
#include <QWidget>
#include <array>

#include "conversion/conversion_engine.hpp"
#include "conversion/conversion_table.hpp"
#include "conversion/scale.hpp"

class QLabel;
class QLocale;
class QPushButton;

namespace kestal {

class Form2;
class ScaleBox;

// The main window: one box per scale, each converting into the six others at
// every key release in it, and three commands (clear all, quit, help).
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(const QLocale& locale);
    ~Form1() override;

    ScaleBox* Box(Scale scale) const { return m_boxes[ColumnOf(scale)]; }
    Form2* HelpWindow() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void Text_KeyUp(Scale source);
    void ReportNotANumber();
    void EmptyAllBoxes();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void HelpReturning();

    ConversionTable m_table;
    ConversionEngine m_engine;
    std::array<ScaleBox*, kScaleCount> m_boxes{};
    QPointer<Form2> m_help;
};

}  // namespace kestal
