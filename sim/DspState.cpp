#include "sim/DspState.h"

namespace tarn::sim {

DspRegisters::DspRegisters()
{
    // A camera as it leaves the factory: 3 m minimum focus, PLS type C.
    write(MinimumFocus, 0xF2);
    write(AutoFocusType, 0x05);
    write(FocusControl, 0x40);
    write(FocusStep, 0xFE);
    write(FocusArea, 0x00);
}

std::uint8_t DspRegisters::read(std::string_view address) const
{
    const auto found = m_values.find(address);
    return found == m_values.end() ? 0 : found->second;
}

void DspRegisters::write(std::string_view address, std::uint8_t value)
{
    m_values.insert_or_assign(std::string(address), value);
}

std::optional<std::uint8_t> DspRegisters::byteOf(std::string_view hex)
{
    if (hex.size() != 2)
        return std::nullopt;
    int value = 0;
    for (const char c : hex) {
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return std::nullopt;
        value = value * 16 + digit;
    }
    return static_cast<std::uint8_t>(value);
}

std::string DspRegisters::hexOf(std::uint8_t value)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    return {digits[value >> 4], digits[value & 0x0F]};
}

} // namespace tarn::sim
