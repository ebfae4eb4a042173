#pragma once

#include <QDialog>

namespace tarn {

class MainControl;

// The console's main window, a view over MainControl. However it closes
// (Close button, window manager, Escape, a signal), the exit path runs once.
class MainControlDialog final : public QDialog {
    Q_OBJECT
public:
    explicit MainControlDialog(MainControl& control, QWidget* parent = nullptr);

    // The window's initialisation; call once before the window is shown.
    void initialise();

    void done(int result) override;

private:
    MainControl& m_control;
};

} // namespace tarn
