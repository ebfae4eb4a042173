#include "sim/Dome.h"

namespace tarn::sim {

Dome::Dome(const DomeSettings& settings, bool stxReplies, bool ntcip)
    : m_camera(settings.identity)
    , m_memory(settings.memoryPath)
{
    m_camera.state().stxReplies = stxReplies;
    m_camera.state().ntcip = ntcip;
    m_camera.state().setup.baud = settings.baud;
    m_memory.restore(m_camera.state());
}

} // namespace tarn::sim
