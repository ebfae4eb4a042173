#pragma once

class QWidget;

namespace tarn::ModalToParent {

// A dialog or box blocks the window it was opened from and the windows under
// that one (the main window), never a window that stands apart beside them:
// the Traffic window stays usable while Camera Setup or its questions are
// open. Without a parent it is left as Qt makes it (application-modal under
// exec()). Call before the dialog is shown.
void apply(QWidget& dialog);

// Keeps a window of its own out of the main window's family: it stays a
// QObject child (owned, found by findChild) but is no transient of it, since
// a window-modal dialog blocks its parent's transients too. Call when the
// window is shown (its native window exists from then on).
void standApart(QWidget& window);

} // namespace tarn::ModalToParent
