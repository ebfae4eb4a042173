#pragma once

// One dialog's command table as a test: each row works one control of the
// real view, found by the name a screen reader reads, and gives what must
// leave for the camera because of it. What went out at once is read off a
// recording transport, what was queued off the queue, so a handler that sends
// a swapped letter, or a button wired to the wrong handler, shows in its row.

#include "link/ByteTransport.h"
#include "link/CameraLink.h"
#include "platform/VirtualClock.h"
#include "support/QtWidgetDriving.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>
#include <QTest>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace tarn::test {

// The bytes each write put on the line, one entry per write.
class RecordingTransport final : public ByteTransport {
public:
    void write(std::span<const std::uint8_t> bytes) override { writes.emplace_back(bytes.begin(), bytes.end()); }
    std::vector<std::vector<std::uint8_t>> writes;
};

inline std::string hexOf(std::span<const std::uint8_t> bytes)
{
    std::string hex;
    for (const std::uint8_t byte : bytes) {
        char text[4];
        std::snprintf(text, sizeof text, hex.empty() ? "%02X" : " %02X", byte);
        hex += text;
    }
    return hex;
}

// A frame as it went out, read back to its command text when it is a whole
// F8 frame with a one-byte address and a good checksum; anything else as hex,
// so it cannot pass for a command.
inline std::string commandTextOf(std::span<const std::uint8_t> frame)
{
    if (frame.size() < 4 || frame[0] != 0xF8 || frame[1] >= 0x80)
        return hexOf(frame);
    std::uint8_t sum = 0;
    for (std::size_t i = 1; i + 1 < frame.size(); ++i)
        sum ^= frame[i];
    if (frame.back() != (0x80 | (sum & 0x0F)))
        return hexOf(frame);
    return std::string(frame.begin() + 2, frame.end() - 1);
}

enum class Act {
    Click,   // a mouse click (on the box of a check box or radio button)
    Press,   // the mouse goes down on it and stays
    Release, // and comes up
    Choose,  // the operator picks entry `value` of a list
    Type,    // the text is replaced by `text`, typed, and the edit is left
    Set,     // a spin box is given `value`
    Wait,    // `value` ms pass
    Call,    // `call` runs: the handler of a control the operator cannot reach
             // (hidden, or disabled for this camera)
};

struct CommandRow {
    const char* control; // accessible name; "Group > Name" where the name alone is not unique
    Act act;
    // Every command it sends or queues, oldest first: what left at once, then
    // what waits. A frame that is not a plain F8 frame reads as its hex.
    std::vector<std::string> sent;
    int value = 0;
    const char* text = nullptr;
    // The first command's whole frame, as hex, as it goes on the line to the
    // camera at the console's address (sent by the pump if it was queued;
    // `sent` then reads it off the line too).
    const char* frame = nullptr;
    std::function<void()> call = {};
};

// Drives the rows against a dialog over `link`. The link's serial transport
// is the recorder for the driver's life, and the link may send.
class CommandTableDriver {
public:
    // The longest a pump may take to send what was queued: its hold time
    // for the command before, and a little.
    static constexpr int PumpPatienceMs = 2500;

    CommandTableDriver(CameraLink& link, VirtualClock& clock)
        : m_link(link)
        , m_clock(clock)
    {
        m_link.setSerialTransport(&m_line);
        m_link.state().linkMode = 0;
        m_link.state().busy = false;
    }
    ~CommandTableDriver() { m_link.setSerialTransport(nullptr); }
    CommandTableDriver(const CommandTableDriver&) = delete;
    CommandTableDriver& operator=(const CommandTableDriver&) = delete;

    // What went out since the last look, then what waits in the queue, as
    // texts; the queue is left empty and free.
    std::vector<std::string> takeSent()
    {
        std::vector<std::string> texts;
        for (const auto& frame : m_line.writes)
            texts.push_back(commandTextOf(frame));
        m_line.writes.clear();
        CommandQueue& queue = m_link.queue();
        while (!queue.empty()) {
            const CommandQueue::Slot slot = queue.takeSlot();
            if (slot[0] == 0xFF)
                texts.push_back(hexOf(std::span(slot).first(8)));
            else
                texts.emplace_back(reinterpret_cast<const char*>(slot.data()));
        }
        queue.queueReady = true;
        queue.dataReplyDone = true;
        return texts;
    }

    // Runs every row; returns one line per row that failed.
    QStringList run(QWidget& root, const std::vector<CommandRow>& rows)
    {
        QStringList failures;
        takeSent();
        for (const CommandRow& row : rows) {
            m_line.writes.clear();
            QString why;
            if (!act(root, row, &why)) {
                failures << QStringLiteral("%1: %2").arg(QLatin1String(row.control), why);
                takeSent();
                continue;
            }
            // For the frame, the pump that owns the queue sends what the row
            // queued, as it would on the line.
            if (row.frame && m_line.writes.empty())
                for (int waited = 0; waited < PumpPatienceMs && m_line.writes.empty() && !m_link.queue().empty();
                     waited += 5)
                    m_clock.advance(5);
            const std::string frame = m_line.writes.empty() ? std::string() : hexOf(m_line.writes.front());
            const std::vector<std::string> sent = takeSent();
            if (sent != row.sent)
                failures << QStringLiteral("%1: sent [%2], expected [%3]")
                                .arg(QLatin1String(row.control), joined(sent), joined(row.sent));
            else if (row.frame && frame != row.frame)
                failures << QStringLiteral("%1: frame %2, expected %3")
                                .arg(QLatin1String(row.control), QString::fromStdString(frame), QLatin1String(row.frame));
        }
        return failures;
    }

private:
    bool act(QWidget& root, const CommandRow& row, QString* why)
    {
        if (row.act == Act::Wait) {
            m_clock.advance(row.value);
            return true;
        }
        if (row.act == Act::Call) {
            row.call();
            return true;
        }
        QWidget* control = controlNamed(&root, QString::fromUtf8(row.control), why);
        if (!control)
            return false;
        if (!control->isEnabled()) {
            *why = QStringLiteral("disabled");
            return false;
        }
        auto* button = qobject_cast<QAbstractButton*>(control);
        switch (row.act) {
        case Act::Click:
            if (!button) {
                *why = QStringLiteral("not a button");
                return false;
            }
            // A check box or radio button takes the click on its box.
            QTest::mouseClick(control, Qt::LeftButton, {},
                              qobject_cast<QPushButton*>(control) || !button->isCheckable()
                                  ? control->rect().center()
                                  : QPoint(6, control->height() / 2));
            return true;
        case Act::Press:
            QTest::mousePress(control, Qt::LeftButton);
            return true;
        case Act::Release:
            QTest::mouseRelease(control, Qt::LeftButton);
            return true;
        case Act::Choose:
            if (auto* list = qobject_cast<QComboBox*>(control); list && row.value < list->count()) {
                list->setCurrentIndex(row.value);
                emit list->activated(row.value);
                return true;
            }
            if (auto* list = qobject_cast<QListWidget*>(control); list && row.value < list->count()) {
                QListWidgetItem* item = list->item(row.value);
                list->scrollToItem(item);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
                return true;
            }
            *why = QStringLiteral("not a list with entry %1").arg(row.value);
            return false;
        case Act::Type:
            if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                // Typed into, then left (for nowhere: a control the focus
                // went on to would act as well).
                QApplication::setActiveWindow(edit->window());
                edit->setFocus(Qt::MouseFocusReason);
                edit->selectAll();
                QTest::keyClicks(edit, QString::fromUtf8(row.text));
                edit->clearFocus();
                return true;
            }
            *why = QStringLiteral("not an edit");
            return false;
        case Act::Set:
            if (auto* spin = qobject_cast<QSpinBox*>(control)) {
                spin->setValue(row.value);
                return true;
            }
            *why = QStringLiteral("not a spin box");
            return false;
        case Act::Wait:
        case Act::Call:
            break;
        }
        return false;
    }

    static QString joined(const std::vector<std::string>& texts)
    {
        QStringList list;
        for (const auto& text : texts)
            list << QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
        return list.join(QStringLiteral(", "));
    }

    CameraLink& m_link;
    VirtualClock& m_clock;
    RecordingTransport m_line;
};

} // namespace tarn::test
