#include "platform/QtPrompter.h"

#include "platform/ModalToParent.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include <vector>

namespace tarn {

namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Boxes without a title of their own carry the program's name, as they always did.
QString titleOrApplicationName(std::string_view title)
{
    return title.empty() ? QApplication::applicationName() : toQString(title);
}

} // namespace

QWidget* QtPrompter::boxParent() const
{
    // On top of the dialog the operator works in, else the main window: a
    // question of the console's logic must hold the main window and its
    // dialogs, wherever the focus was when it came (the Traffic window's own
    // boxes included, so that window never waits behind a box).
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (m_home)
        return m_home;
    return QApplication::activeWindow();
}

QMessageBox::StandardButton QtPrompter::ask(std::string_view text, std::string_view title, MessageIcon icon,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(toQtIcon(icon), titleOrApplicationName(title), toQString(text), buttons, boxParent());
    ModalToParent::apply(box);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void QtPrompter::showMessage(std::string_view text, std::string_view title, MessageIcon icon)
{
    ask(text, title, icon, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPrompter::askYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                          DefaultButton defaultButton)
{
    const auto preferred = defaultButton == DefaultButton::First ? QMessageBox::Yes : QMessageBox::No;
    return ask(text, title, icon, QMessageBox::Yes | QMessageBox::No, preferred) == QMessageBox::Yes;
}

bool QtPrompter::askOkCancel(std::string_view text, std::string_view title, MessageIcon icon)
{
    return ask(text, title, icon, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
        == QMessageBox::Ok;
}

std::optional<std::string> QtPrompter::chooseFile(FileChoice mode, std::string_view filter,
                                                  std::string_view suggestedName)
{
    QFileDialog chooser(boxParent(), {}, toQString(suggestedName), QString::fromStdString(qtFilter(filter)));
    chooser.setAcceptMode(mode == FileChoice::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    chooser.setFileMode(mode == FileChoice::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    ModalToParent::apply(chooser);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = chooser.selectedFiles().constFirst();
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

std::string QtPrompter::qtFilter(std::string_view classicFilter)
{
    // Pairs of "description|pattern", ended by an empty entry.
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= classicFilter.size()) {
        const std::size_t bar = classicFilter.find('|', start);
        const std::size_t end = bar == std::string_view::npos ? classicFilter.size() : bar;
        parts.push_back(classicFilter.substr(start, end - start));
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    std::string result;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            break;
        if (!result.empty())
            result += ";;";
        result += parts[i];
    }
    return result.empty() ? std::string(classicFilter) : result;
}

} // namespace tarn
