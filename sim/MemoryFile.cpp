#include "sim/MemoryFile.h"

#include "sim/CameraMemory.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace tarn::sim {

void MemoryFile::restore(CameraState& state)
{
    if (m_path.empty())
        return;
    std::ifstream in(m_path);
    CameraMemory::restore(state, std::string(std::istreambuf_iterator<char>(in), {}));
    m_written = CameraMemory::serialise(state);
}

void MemoryFile::keep(const CameraState& state)
{
    if (m_path.empty())
        return;
    std::string memory = CameraMemory::serialise(state);
    if (memory == m_written)
        return;
    // A new file that takes the old one's place: never half written.
    const std::string temporary = m_path + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << memory;
        if (!out.flush())
            return;
    }
    if (std::rename(temporary.c_str(), m_path.c_str()) == 0)
        m_written = std::move(memory);
}

} // namespace tarn::sim
