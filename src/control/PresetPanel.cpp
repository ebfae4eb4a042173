#include "control/PresetPanel.h"

#include "core/Settings.h"
#include "link/CameraLink.h"
#include "core/CameraTypes.h"
#include "link/Protocols.h"
#include "link/ReplyRouter.h"

#include <algorithm>

namespace tarn {

namespace {

// What the camera's on-screen name can show; anything else becomes a space.
constexpr std::string_view CameraNameCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 ,-./:;<>?";

// The name in a 'd' reply follows the reply's first three characters.
constexpr std::size_t NameOffsetInReply = 3;

// Javelin preset function: ARG is the preset number, plus 0x80 to store it.
constexpr std::uint8_t JavelinPresetOp = 0x05;
constexpr std::uint8_t JavelinStoreFlag = 0x80;

std::uint8_t byteAt(std::span<const std::uint8_t> frame, std::size_t position)
{
    return position < frame.size() ? frame[position] : 0;
}

void appendLatin1(std::string& text, std::uint8_t byte)
{
    // The camera sends single-byte characters; names are kept as UTF-8.
    if (byte < 0x80) {
        text.push_back(static_cast<char>(byte));
    } else {
        text.push_back(static_cast<char>(0xC0 | (byte >> 6)));
        text.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
}

} // namespace

PresetPanel::PresetPanel(CameraLink& link, ProfileStore& profile)
    : m_link(link)
    , m_profile(profile)
{
    for (int i = 0; i < PresetCount; ++i)
        m_names[static_cast<std::size_t>(i)] = defaultName(i);
}

std::uint8_t PresetPanel::presetCode(int index)
{
    // 0x3F would read as '?', a query, so the codes jump from 0x3E to 0x60.
    return static_cast<std::uint8_t>(index <= 46 ? index + 0x10 : index + 0x31);
}

std::string PresetPanel::defaultName(int index)
{
    return "Preset " + std::to_string(index + 1);
}

const std::string& PresetPanel::name(int index) const
{
    return m_names[static_cast<std::size_t>(std::clamp(index, 0, PresetCount - 1))];
}

bool PresetPanel::makersCamera() const
{
    return m_link.state().isMakersCamera();
}

bool PresetPanel::javelin() const
{
    return m_link.state().protocolIndex == Protocol::Javelin;
}

void PresetPanel::selectionChanged(int index)
{
    if (index < 0 || index >= PresetCount) {
        m_selection = NoSelection;
        return;
    }
    m_selection = index;
    m_remembered = index;
    // The name request is the same for every receiver.
    std::string command = "cdS";
    command.push_back(static_cast<char>(presetCode(index)));
    m_link.enqueue(command);
}

void PresetPanel::editFinished(std::string_view text)
{
    std::string& stored = m_names[static_cast<std::size_t>(m_remembered)];
    if (text == stored)
        return;
    stored = std::string(text);
    m_selection = m_remembered;
    listChanged();
}

void PresetPanel::selectFirst()
{
    m_remembered = 0;
    m_selection = 0;
    listChanged();
}

void PresetPanel::store()
{
    if (javelin()) {
        if (m_selection != NoSelection)
            queuePresetFrame(static_cast<std::uint8_t>(m_selection) | JavelinStoreFlag);
        return;
    }
    std::string command = "P";
    if (makersCamera() && m_selection != NoSelection)
        command.push_back(static_cast<char>(presetCode(m_selection)));
    else
        command.push_back('_');
    m_link.enqueue(command);
}

void PresetPanel::gotoPreset()
{
    if (m_selection != NoSelection) {
        if (javelin()) {
            queuePresetFrame(static_cast<std::uint8_t>(m_selection));
        } else if (makersCamera()) {
            std::string command = "H";
            command.push_back(static_cast<char>(presetCode(m_selection)));
            m_link.enqueue(command);
        }
    }
    // The camera leaves its tour for the preset, whatever was sent.
    m_tourRunning = false;
    setTourLamp(false);
}

std::string PresetPanel::cameraName(std::string_view name)
{
    std::string result;
    result.reserve(NameLength);
    for (const char c : name) {
        if (result.size() == NameLength)
            break;
        const auto byte = static_cast<std::uint8_t>(c);
        // One space per character, not per byte of a UTF-8 sequence.
        if ((byte & 0xC0) == 0x80)
            continue;
        result.push_back(CameraNameCharacters.find(c) != std::string_view::npos ? c : ' ');
    }
    result.resize(NameLength, ' ');
    return result;
}

void PresetPanel::storeId()
{
    std::string command = "dP";
    if (makersCamera())
        command.push_back(static_cast<char>(presetCode(m_remembered)));
    const std::string_view selectedName =
        m_selection == NoSelection ? std::string_view{} : std::string_view(name(m_selection));
    command += cameraName(selectedName);
    m_link.enqueue(command);
}

void PresetPanel::getId()
{
    // Like "Store ID": the preset code only for the maker's cameras.
    std::string command = "cdS";
    if (makersCamera())
        command.push_back(static_cast<char>(presetCode(m_remembered)));
    m_link.enqueue(command);
}

void PresetPanel::presetNameReply(std::span<const std::uint8_t> frame)
{
    const std::size_t start =
        ReplyRouter::letterPosition(frame, m_link.state().protocolIndex) + NameOffsetInReply;
    std::string name;
    bool blank = true;
    for (std::size_t i = 0; i < NameLength; ++i) {
        const std::uint8_t byte = byteAt(frame, start + i);
        if (byte == 0)
            break;
        blank = blank && byte == ' ';
        appendLatin1(name, byte);
    }
    if (blank)
        return;
    // Padded by characters, so a name with accented letters still has 24.
    std::size_t characters = 0;
    for (const char c : name)
        characters += (static_cast<std::uint8_t>(c) & 0xC0) != 0x80 ? 1 : 0;
    name.append(NameLength - characters, ' ');

    m_names[static_cast<std::size_t>(m_remembered)] = name;
    m_selection = m_remembered;
    writePresetName(m_profile, m_remembered, name);
    listChanged();
}

void PresetPanel::setTourIndex(int index)
{
    if (index >= 0 && index < TourCount)
        m_tourIndex = index;
}

void PresetPanel::startStopTour()
{
    const char tour = static_cast<char>('1' + m_tourIndex);
    if (m_tourRunning) {
        m_tourRunning = false;
        setTourLamp(false);
        if (makersCamera())
            m_link.enqueue(std::string{'*', 'T', 'S', tour, '0'});
        return;
    }
    setTourLamp(true);
    if (CameraType::runsMakersTours(m_link.state().cameraType)) {
        m_tourRunning = true;
        m_link.enqueue(std::string{'*', 'T', 'S', tour, '1'});
    }
}

void PresetPanel::tourInterrupted()
{
    m_tourRunning = false;
    setTourLamp(false);
}

bool PresetPanel::setupOpensTourSetupDialog() const
{
    return !makersCamera();
}

void PresetPanel::queuePresetFrame(std::uint8_t arg)
{
    // The two 01 bytes are where the send puts the address, the last byte
    // where it puts the checksum.
    const std::array<std::uint8_t, 8> frame = {0xFF, 0x06, 0x07, JavelinPresetOp,
                                               0x01, 0x01, arg,  0xFF};
    m_link.enqueue(std::span<const std::uint8_t>(frame));
}

void PresetPanel::setTourLamp(bool lit)
{
    m_tourLampLit = lit;
    if (m_listener)
        m_listener->tourLampChanged(lit);
}

void PresetPanel::listChanged()
{
    if (m_listener)
        m_listener->presetListChanged();
}

} // namespace tarn
