#pragma once

#include <QPixmap>
#include <QPushButton>
#include <QUrl>

#include <array>

class QMenu;

namespace tarn {

// A push button that answers the pointer: a face per state (normal, hover,
// pressed, disabled), either a picture the owner gives or one it draws
// itself, a tool tip, and the hover look while the pointer is over it.
//
// On a click it takes the focus and then, in this order of precedence: in
// check-box mode it toggles; with a menu it shows the menu below itself and
// reports the chosen entry; with a URL it opens the URL. Without any of
// those it is a plain button (clicked()).
//
// Sounds are off unless asked for; they are the desktop's beep, not sound
// files, so the console needs no multimedia library.
class HoverButton final : public QPushButton {
    Q_OBJECT
public:
    enum class Face { Normal, Hover, Pressed, Disabled };

    explicit HoverButton(QWidget* parent = nullptr);
    explicit HoverButton(const QString& text, QWidget* parent = nullptr);

    // The picture for a state; a null pixmap puts back the face drawn here.
    void setFacePixmap(Face face, const QPixmap& pixmap);
    QPixmap facePixmap(Face face) const { return m_pictures[index(face)]; }

    void setCheckBoxMode(bool on) { setCheckable(on); }
    // The menu is shown below the button; it is not owned.
    void setDropMenu(QMenu* menu) { m_menu = menu; }
    void setUrl(const QUrl& url) { m_url = url; }
    void setHoverBeep(bool on) { m_hoverBeep = on; }
    void setClickBeep(bool on) { m_clickBeep = on; }

    bool isHovered() const { return m_hovered; }
    // The face the button shows now.
    Face currentFace() const;

    QSize sizeHint() const override;

signals:
    // The entry chosen from the drop menu.
    void menuChosen(QAction* action);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    static std::size_t index(Face face) { return static_cast<std::size_t>(face); }
    void wasClicked();
    void drawFace(QPainter& painter, Face face);

    std::array<QPixmap, 4> m_pictures;
    QMenu* m_menu = nullptr;
    QUrl m_url;
    bool m_hovered = false;
    bool m_hoverBeep = false;
    bool m_clickBeep = false;
};

} // namespace tarn
