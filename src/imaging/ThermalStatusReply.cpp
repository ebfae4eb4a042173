#include "imaging/ThermalStatusReply.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace tarn::ThermalStatusReply {

namespace {

constexpr std::uint8_t FirstNonText = 0x80; // the checksum, and nothing else in a reply, is 0x80 or more
constexpr int DdeOffset = 15;

struct Number {
    int ThermalSettings::*setting;
    std::size_t digits;
    int minimum;
    int maximum;
};

struct Character {
    char letter;
    int ThermalSettings::*setting;
    int maximum;
};

constexpr std::array<Character, 8> Characters = {{
    {'W', &ThermalSettings::ffcMode, 2},
    {'F', &ThermalSettings::operatingMode, 1},
    {'B', &ThermalSettings::video, 1},
    {'C', &ThermalSettings::lut, 11},
    {'i', &ThermalSettings::orientation, 3},
    {'X', &ThermalSettings::digitalZoom, 3},
    {'S', &ThermalSettings::suppOffset, 1},
    {'c', &ThermalSettings::resolution, 1},
}};

int lowBits(std::uint8_t c)
{
    return c & 0x0F;
}

// The value characters of one field, taken from the front of `rest`.
class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> payload) : m_rest(payload) {}

    bool atEnd() const { return m_rest.empty(); }
    std::uint8_t letter()
    {
        const std::uint8_t c = m_rest.front();
        m_rest = m_rest.subspan(1);
        return c;
    }
    // false when the field is cut short: it and everything after it are dropped.
    bool take(std::size_t count, std::span<const std::uint8_t>& value)
    {
        if (m_rest.size() < count)
            return false;
        value = m_rest.first(count);
        m_rest = m_rest.subspan(count);
        return true;
    }

private:
    std::span<const std::uint8_t> m_rest;
};

int decimal(std::span<const std::uint8_t> digits)
{
    int value = 0;
    for (const std::uint8_t c : digits)
        value = value * 10 + lowBits(c);
    return value;
}

bool applyNumbers(FieldReader& reader, std::initializer_list<Number> numbers, ThermalSettings& settings)
{
    std::size_t total = 0;
    for (const Number& number : numbers)
        total += number.digits;
    std::span<const std::uint8_t> value;
    if (!reader.take(total, value))
        return false;
    for (const Number& number : numbers) {
        const int read = decimal(value.first(number.digits));
        value = value.subspan(number.digits);
        if (read >= number.minimum && read <= number.maximum)
            settings.*number.setting = read;
    }
    return true;
}

bool applyField(std::uint8_t letter, FieldReader& reader, ThermalSettings& settings)
{
    using S = ThermalSettings;
    switch (letter) {
    case 'k': return applyNumbers(reader, {{&S::ffcInterval, 5, 5, 30000}, {&S::ffcTemperatureChange, 3, 0, 100}}, settings);
    case 'R':
        // The camera's order: left, top, right, bottom.
        return applyNumbers(reader,
                            {{&S::roiLeft, 3, 0, 639},
                             {&S::roiTop, 3, 0, 511},
                             {&S::roiRight, 3, 1, 640},
                             {&S::roiBottom, 3, 1, 512}},
                            settings);
    case 'A':
        return applyNumbers(reader, {{&S::plateau, 4, 10, 1000}, {&S::ittMean, 3, 0, 255}, {&S::maxGain, 3, 0, 255}},
                            settings);
    default: break;
    }
    std::span<const std::uint8_t> value;
    if (!reader.take(1, value))
        return false;
    if (letter == 'd') {
        settings.dde = value[0] - DdeOffset;
        return true;
    }
    const auto* character = std::find_if(Characters.begin(), Characters.end(),
                                         [letter](const Character& c) { return c.letter == letter; });
    if (character != Characters.end() && lowBits(value[0]) <= character->maximum)
        settings.*character->setting = lowBits(value[0]);
    return true;
}

} // namespace

void apply(std::span<const std::uint8_t> frame, std::size_t letter, ThermalSettings& settings)
{
    if (letter >= frame.size())
        return;
    std::span<const std::uint8_t> payload = frame.subspan(letter + 1);
    const auto end = std::find_if(payload.begin(), payload.end(), [](std::uint8_t c) { return c >= FirstNonText; });
    payload = payload.first(static_cast<std::size_t>(end - payload.begin()));

    FieldReader reader(payload);
    while (!reader.atEnd()) {
        const std::uint8_t field = reader.letter();
        if (!applyField(field, reader, settings))
            return;
    }
}

} // namespace tarn::ThermalStatusReply
