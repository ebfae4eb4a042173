#include "config/LinePart.h"

#include "config/SnapshotFields.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "link/Protocols.h"
#include "link/DialogDoor.h"
#include "platform/Prompter.h"

#include <array>

namespace tarn {
namespace {

constexpr std::string_view ProtocolField = "Cam Comm Protocol";
constexpr std::string_view BaudField = "Baud";
// The protocols a camera can be set to: the Setup list without its empty entry.
constexpr std::span<const std::string_view> Protocols(SetupLists::CameraProtocols.data(), Protocol::Count);
constexpr std::array<std::string_view, Settings::BaudCount> Rates = {"9600", "4800", "2400", "1200", "600", "300",
                                                                     "19200"};

} // namespace

void LinePart::finishReading(ConfigSection& section)
{
    if (!m_context)
        return;
    if (m_context->protocolIndex >= 0 && m_context->protocolIndex < Protocol::Count)
        section.set(ProtocolField, std::string(Protocols[static_cast<std::size_t>(m_context->protocolIndex)]));
    if (m_context->baudIndex >= 0 && m_context->baudIndex < Settings::BaudCount)
        section.set(BaudField, std::string(Rates[static_cast<std::size_t>(m_context->baudIndex)]));
}

std::optional<std::string> LinePart::check(const ConfigSection& section) const
{
    SnapshotFields fields(section);
    if (fields.has(ProtocolField))
        fields.choice(ProtocolField, Protocols);
    if (fields.has(BaudField))
        fields.choice(BaudField, Rates);
    return fields.problem();
}

void LinePart::startWriting(SnapshotContext& context, const ConfigSection& section)
{
    m_context = &context;
    m_steps.clear();
    SnapshotFields fields(section);
    // -1: the section does not hold it.
    const int protocol = fields.has(ProtocolField) ? fields.choice(ProtocolField, Protocols).value_or(-1) : -1;
    const int baud = fields.has(BaudField) ? fields.choice(BaudField, Rates).value_or(-1) : -1;
    const bool newProtocol = protocol >= 0 && protocol != context.protocolIndex;
    const bool newBaud = baud >= 0 && baud != context.baudIndex;
    if (!newProtocol && !newBaud)
        return;
    SetupValues values;
    values.cameraType = context.receiverType;
    values.moduleType = context.moduleType;
    values.cameraProtocol = context.protocolIndex;
    values.baudIndex = context.baudIndex;
    m_setup = std::make_unique<CameraSetup>(context.door.link(), context.door.prompter(), values,
                                            std::vector<SerialPortEntry>{});
    // As the dialog opens: its read-back goes first, the changes after it.
    m_setup->open();
    // The rate first, while the camera still speaks the protocol it has;
    // the console follows each once the command has gone.
    if (newBaud) {
        m_steps.add([this, baud] {
            const std::string question =
                Messages::format(Messages::ConfigChangeBaud, Rates[static_cast<std::size_t>(m_context->baudIndex)].data(),
                                 Rates[static_cast<std::size_t>(baud)].data());
            if (!m_context->door.prompter().askYesNo(question, Messages::ConfigWriteTitle, MessageIcon::Question,
                                                     DefaultButton::Second))
                return;
            m_setup->selectBaud(baud);
            m_setup->setBaud();
            m_steps.then([this, baud] {
                m_context->baudIndex = baud;
                if (m_context->followBaud)
                    m_context->followBaud(baud);
            });
        });
    }
    if (newProtocol) {
        // The Setup dialog's own question comes with it.
        m_steps.add([this, protocol] {
            m_setup->chooseCameraProtocol(protocol);
            m_steps.then([this, protocol] {
                if (m_setup->values().cameraProtocol != protocol)
                    return; // not confirmed
                m_context->protocolIndex = protocol;
                if (m_context->followProtocol)
                    m_context->followProtocol(protocol);
            });
        });
    }
}

void LinePart::finishWriting()
{
    m_steps.clear();
    m_setup.reset();
}

} // namespace tarn
