#pragma once

#include <QString>

#include <initializer_list>
#include <string_view>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QObject;
class QSpinBox;
class QValidator;

namespace tarn {

// A dialog's view redraws from its logic's state after every change; these
// put a value in a widget without the widget's signals firing back into the
// logic as if the operator had made the change.

// The text of the logic's strings, read as UTF-8 or as Latin-1.
QString qText(std::string_view utf8);
QString latin1Text(std::string_view latin1);

// Only when it differs, so the cursor of an edit being typed in stays put.
void showText(QLineEdit* edit, const QString& text);

void showValue(QSpinBox* spin, int value);

void showChecked(QAbstractButton* button, bool checked);

// -1 (or any index the list does not have) shows no selection.
void showChoice(QComboBox* combo, int index);

// Exactly the button with `id` checked, or none for -1: exclusive buttons
// cannot all be cleared while they are exclusive.
void showChoice(QButtonGroup* group, int id);

// Exactly the radio at `index` checked, or none for -1; for auto-exclusive
// radios that are in no button group.
void showChoice(std::initializer_list<QAbstractButton*> radios, int index);

// The buttons numbered 0, 1, 2... in the order given; owned by `parent`.
QButtonGroup* makeButtonGroup(QObject* parent, std::initializer_list<QAbstractButton*> buttons);

// Typed text that goes on the wire as it is: up to `maxDigits` decimal digits,
// or up to `maxLength` printable ASCII characters. Owned by `parent`.
QValidator* digitsValidator(int maxDigits, QObject* parent);
QValidator* printableValidator(int maxLength, QObject* parent);

} // namespace tarn
