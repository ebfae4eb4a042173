#include "app/QtPlatform.h"

namespace tarn {

QtPlatform::QtPlatform(Prompter& prompter)
    : m_profile(prompter)
    , m_platform{m_timers, prompter, m_profile, m_poster, m_sockets}
{
}

} // namespace tarn
