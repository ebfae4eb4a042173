#pragma once

// Finding controls by their object names or by the names a screen reader
// reads, and working in the modal dialogs they open, as Qt tests do.

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <type_traits>

namespace tarn::test {

// The control of `parent` (or of its children) with this object name.
template <typename T>
T* child(const QObject* parent, const char* name)
{
    return parent->findChild<T*>(QString::fromLatin1(name));
}

// The same, for a control the test cannot go on without.
template <typename T>
T* requiredChild(const QObject* parent, const char* name)
{
    T* found = child<T>(parent, name);
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// The name a screen reader reads for `widget` (its text, or its accessible
// name where it has no text of its own).
inline QString accessibleNameOf(QWidget* widget)
{
    if (!widget->accessibleName().isEmpty())
        return widget->accessibleName();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// Whether a screen reader names `widget` `name`: by its own name, or by the
// label it is the buddy of (a list reads its current entry as its own name).
inline bool isNamed(QWidget* root, QWidget* widget, const QString& name)
{
    if (accessibleNameOf(widget) == name)
        return true;
    for (QLabel* label : root->findChildren<QLabel*>())
        if (label->buddy() == widget && label->text().remove(u'&').remove(u':').trimmed() == name)
            return true;
    return false;
}

// The one visible control under `root` that a screen reader names `path`.
// "Group > Name" looks only inside the group box titled "Group", for the names
// a dialog uses more than once ("Set"). Null, with `why` filled, when there
// is none or more than one.
inline QWidget* controlNamed(QWidget* root, const QString& path, QString* why = nullptr)
{
    static const QString separator = QStringLiteral(" > ");
    const qsizetype at = path.indexOf(separator);
    const QString group = at < 0 ? QString() : path.left(at);
    const QString name = at < 0 ? path : path.mid(at + separator.size());
    const auto inGroup = [&group, root](QWidget* widget) {
        if (group.isEmpty())
            return true;
        for (QWidget* up = widget->parentWidget(); up && up != root; up = up->parentWidget())
            if (auto* box = qobject_cast<QGroupBox*>(up); box && box->title().remove(u'&') == group)
                return true;
        return false;
    };
    // Labels and group boxes name controls; they are not controls themselves.
    QList<QWidget*> found;
    for (QWidget* widget : root->findChildren<QWidget*>())
        if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QGroupBox*>(widget) && widget->isVisibleTo(root)
            && inGroup(widget) && isNamed(root, widget, name))
            found << widget;
    if (found.size() == 1)
        return found.front();
    if (why) {
        QStringList names;
        for (QWidget* widget : found)
            names << widget->objectName();
        *why = found.isEmpty() ? QStringLiteral("no control named \"%1\"").arg(path)
                               : QStringLiteral("\"%1\" names %2").arg(path, names.join(u','));
    }
    return nullptr;
}

// Presses `button` of `from` and, once the modal dialog of type `D` it opens
// is up, runs `inside` in it; then closes the dialog with its "Close" (or
// rejects it, if it has none or `inside` left it open after a failed check).
// With `dialogName`, only the dialog of that object name counts, another is
// rejected. Returns whether `inside` ran: false when the button is missing or
// disabled, or no such dialog opened.
template <typename D = QDialog>
bool runInDialogOpenedBy(QWidget* from, const char* button,
                         const std::type_identity_t<std::function<void(D&)>>& inside, const char* dialogName = nullptr)
{
    auto* pressed = child<QPushButton>(from, button);
    if (!pressed || !pressed->isEnabled())
        return false;
    bool ran = false;
    // A timer of this call's own: it can never fire after the call returned.
    QTimer opening;
    opening.setSingleShot(true);
    QObject::connect(&opening, &QTimer::timeout, [&] {
        auto* opened = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!opened)
            return;
        if (dialogName && opened->objectName() != QLatin1String(dialogName)) {
            opened->reject();
            return;
        }
        ran = true;
        inside(*opened);
        if (!opened->isVisible())
            return;
        if (auto* close = child<QPushButton>(opened, "closeButton"))
            QTest::mouseClick(close, Qt::LeftButton);
        if (opened->isVisible())
            opened->reject();
    });
    opening.start(0);
    QTest::mouseClick(pressed, Qt::LeftButton);
    return ran;
}

} // namespace tarn::test
