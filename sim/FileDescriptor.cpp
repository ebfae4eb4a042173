#include "sim/FileDescriptor.h"

#include <unistd.h>

namespace tarn::sim {

void FileDescriptor::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

} // namespace tarn::sim
