#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace tarn {

// Watches the whole application while a control is held, for the ends of a
// hold that reach no event of the control's own: a popup or menu opening
// (from the keyboard, say) takes the pointer, and the release then goes to
// the popup, never to the held control. Either calls `ended` once; the watch
// then stays off until armed again.
class HoldWatch final : public QObject {
public:
    HoldWatch(QWidget& held, std::function<void()> ended);

    // From the press on; disarm() when the hold ended otherwise.
    void arm();
    void disarm();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_held;
    std::function<void()> m_ended;
    bool m_armed = false;
};

} // namespace tarn
