#include "widgets/ShowState.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>

namespace tarn {

QString qText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString latin1Text(std::string_view latin1)
{
    return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
}

void showText(QLineEdit* edit, const QString& text)
{
    if (edit->text() == text)
        return;
    const QSignalBlocker blocker(edit);
    edit->setText(text);
}

void showValue(QSpinBox* spin, int value)
{
    const QSignalBlocker blocker(spin);
    spin->setValue(value);
}

void showChecked(QAbstractButton* button, bool checked)
{
    const QSignalBlocker blocker(button);
    button->setChecked(checked);
}

void showChoice(QComboBox* combo, int index)
{
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void showChoice(QButtonGroup* group, int id)
{
    const QSignalBlocker blocker(group);
    group->setExclusive(false);
    const auto buttons = group->buttons();
    for (QAbstractButton* button : buttons)
        button->setChecked(group->id(button) == id);
    group->setExclusive(true);
}

void showChoice(std::initializer_list<QAbstractButton*> radios, int index)
{
    int i = 0;
    for (QAbstractButton* radio : radios) {
        const QSignalBlocker blocker(radio);
        radio->setAutoExclusive(false);
        radio->setChecked(i++ == index);
        radio->setAutoExclusive(true);
    }
}

QButtonGroup* makeButtonGroup(QObject* parent, std::initializer_list<QAbstractButton*> buttons)
{
    auto* group = new QButtonGroup(parent);
    int id = 0;
    for (QAbstractButton* button : buttons)
        group->addButton(button, id++);
    return group;
}

QValidator* digitsValidator(int maxDigits, QObject* parent)
{
    return new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(maxDigits)), parent);
}

QValidator* printableValidator(int maxLength, QObject* parent)
{
    return new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[\\x20-\\x7E]{0,%1}").arg(maxLength)), parent);
}

} // namespace tarn
