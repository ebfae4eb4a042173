#include "platform/ModalToParent.h"

#include <QWidget>
#include <QWindow>

namespace tarn::ModalToParent {

void apply(QWidget& dialog)
{
    if (dialog.parentWidget())
        dialog.setWindowModality(Qt::WindowModal);
}

void standApart(QWidget& window)
{
    if (QWindow* handle = window.windowHandle())
        handle->setTransientParent(nullptr);
}

} // namespace tarn::ModalToParent
