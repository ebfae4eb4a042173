#pragma once

// Finding controls by their object names and working in the modal dialogs
// they open, as Qt tests do.

#include <QApplication>
#include <QDialog>
#include <QPushButton>
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
