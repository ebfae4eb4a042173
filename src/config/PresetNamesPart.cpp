#include "config/PresetNamesPart.h"

namespace tarn {

void PresetNamesPart::finishReading(ConfigSection& section)
{
    for (std::size_t i = 0; i < m_names.size(); ++i)
        section.set("Preset " + std::to_string(i + 1), m_names[i]);
}

} // namespace tarn
