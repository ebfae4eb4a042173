#include "programming/LocalTables.h"

#include "core/Messages.h"

namespace tarn {

LocalTables LocalTables::withoutFile()
{
    LocalTables tables;
    for (int i = 0; i < SectorCount; ++i)
        tables.sectors[static_cast<std::size_t>(i)].idText = Messages::format(Messages::DefaultSectorIdText, i + 1);
    return tables;
}

} // namespace tarn
