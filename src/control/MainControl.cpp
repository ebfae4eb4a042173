#include "control/MainControl.h"

#include "app/Messages.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"

namespace tarn {

MainControl::MainControl(Platform& platform, Settings settings,
                         std::function<std::string(int port)> devicePathFor)
    : m_platform(platform)
    , m_settings(settings)
    , m_serialPort(platform.poster, platform.prompter, std::move(devicePathFor))
{
}

MainControl::~MainControl() = default;

void MainControl::initialise()
{
    openSerialPort();
    m_busy = false;
}

void MainControl::openSerialPort()
{
    const int opened = m_serialPort.open(this, m_settings.port, m_settings.baudRate(), 'N', 8, 1,
                                         SerialEvent::CharReceived | SerialEvent::CtsChanged,
                                         SerialWriteBufferSize);
    if (opened == 1) {
        m_serialPort.startThread();
        return;
    }
    // The console runs on without a port: the network link may still be used.
    m_platform.prompter.showMessage(Messages::format(Messages::PortDoesNotExist, m_settings.port),
                                    {}, MessageIcon::Warning);
}

void MainControl::exit()
{
    if (m_exited)
        return;
    m_exited = true;
}

void MainControl::serialByteReceived(std::uint8_t, int)
{
}

} // namespace tarn
