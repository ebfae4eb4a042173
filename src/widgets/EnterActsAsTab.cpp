#include "widgets/EnterActsAsTab.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tarn {

EnterActsAsTab::EnterActsAsTab(QWidget& dialog)
    : QObject(&dialog)
    , m_dialog(dialog)
{
}

void EnterActsAsTab::install(QWidget& dialog)
{
    auto* filter = new EnterActsAsTab(dialog);
    dialog.installEventFilter(filter);
    const auto children = dialog.findChildren<QWidget*>();
    for (QWidget* child : children)
        child->installEventFilter(filter);
}

bool EnterActsAsTab::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape)
        return QObject::eventFilter(watched, event);
    // A Tab in its place: the focus moves on along the dialog's own chain.
    QWidget* focused = m_dialog.focusWidget();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(focused ? focused : &m_dialog, &tab);
    return true;
}

} // namespace tarn
