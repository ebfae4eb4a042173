#pragma once

#include <QObject>

class QWidget;

namespace tarn {

// Makes Enter and Escape move the focus on like Tab in a dialog and all its
// controls, so that neither a stray Enter nor Escape ends the dialog: only
// its "Close" (or the window's own close) does. Enter and Escape reach the
// focused control first, so they are caught there, before a button or the
// dialog turns them into a click or a close.
class EnterActsAsTab final : public QObject {
    Q_OBJECT
public:
    // Watches `dialog` and every control it holds now; owned by `dialog`.
    static void install(QWidget& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit EnterActsAsTab(QWidget& dialog);

    QWidget& m_dialog;
};

} // namespace tarn
