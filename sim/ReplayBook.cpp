#include "sim/ReplayBook.h"

#include "sim/FrameParser.h"

#include <algorithm>
#include <limits>

namespace tarn::sim {

namespace {

constexpr std::string_view NotInCapture = "not in the capture";
constexpr std::string_view UnansweredThen = "no answer in the capture";
constexpr std::string_view BadChecksum = "bad checksum";

bool isCommand(const CapturedEntry& entry)
{
    if (entry.direction != CapturedEntry::FromConsole || entry.verdict != CapturedEntry::Ok)
        return false;
    switch (entry.kind) {
    case CapturedEntry::Tarn:
    case CapturedEntry::Camera:
    case CapturedEntry::PassThrough:
    case CapturedEntry::Link:
    case CapturedEntry::Raw: return true;
    default: return false;
    }
}

bool isAnswer(const CapturedEntry& entry)
{
    if (entry.direction != CapturedEntry::ToConsole)
        return false;
    switch (entry.kind) {
    case CapturedEntry::Tarn:
    case CapturedEntry::Stx:
    case CapturedEntry::LengthMode:
    case CapturedEntry::Ack: return true;
    default: return false;
    }
}

// From the command to its answer, within 0..LongestDelay whatever the file says.
std::chrono::milliseconds delayBetween(std::int64_t commandUs, std::int64_t answerUs)
{
    const std::int64_t longest = ReplayBook::LongestDelay.count() * 1000;
    if (answerUs <= commandUs)
        return std::chrono::milliseconds(0);
    // The difference of two times far apart would not fit: it is long, that is all.
    const bool farApart = commandUs < 0 && answerUs > std::numeric_limits<std::int64_t>::max() + commandUs;
    const std::int64_t micro = farApart ? longest : std::min(answerUs - commandUs, longest);
    return std::chrono::milliseconds(micro / 1000);
}

std::string hexOf(std::span<const std::uint8_t> bytes)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t byte : bytes) {
        text += Digits[byte >> 4];
        text += Digits[byte & 0x0F];
    }
    return text;
}

} // namespace

std::string ReplayBook::keyOf(const ReceivedFrame& frame)
{
    switch (frame.kind) {
    case ReceivedFrame::Kind::Tarn:
        return (frame.broadcast ? std::string("T*") : "T" + std::to_string(frame.address)) + '|' + frame.text;
    case ReceivedFrame::Kind::PassThrough: return "J|" + hexOf(frame.frame());
    case ReceivedFrame::Kind::Link: return "L|" + hexOf(frame.frame());
    }
    return {};
}

ReplayBook::ReplayBook(const Capture& capture)
{
    const bool fiveDigits = std::any_of(capture.entries.begin(), capture.entries.end(), [](const CapturedEntry& e) {
        return (e.flags & CapturedEntry::FiveDigitAddresses) != 0;
    });
    m_addressDigits = fiveDigits ? 5 : 4;

    const auto& entries = capture.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!isCommand(entries[i]))
            continue;
        // The command as the camera took it off the line, header and all.
        FrameParser parser(m_addressDigits, true);
        const auto frames = parser.feed(entries[i].bytes);
        if (frames.size() != 1)
            continue;
        std::vector<TimedWrite> answer;
        std::size_t j = i + 1;
        for (; j < entries.size() && !isCommand(entries[j]); ++j) {
            if (!isAnswer(entries[j]) || entries[j].bytes.empty())
                continue;
            TimedWrite write;
            write.delay = delayBetween(entries[i].timeUs, entries[j].timeUs);
            write.bytes = entries[j].bytes;
            write.logged = entries[j].bytes;
            if (entries[j].verdict == CapturedEntry::BadChecksum)
                write.note = BadChecksum;
            answer.push_back(std::move(write));
        }
        m_commands[keyOf(frames[0])].answers.push_back(std::move(answer));
    }
}

ReplayBook::Response ReplayBook::respond(const ReceivedFrame& frame)
{
    const auto found = m_commands.find(keyOf(frame));
    if (found == m_commands.end())
        return {{}, NotInCapture};
    Recorded& recorded = found->second;
    const std::size_t index = std::min(recorded.next, recorded.answers.size() - 1);
    recorded.next = std::min(recorded.next + 1, recorded.answers.size());
    const std::vector<TimedWrite>& answer = recorded.answers[index];
    if (answer.empty())
        return {{}, UnansweredThen};
    return {answer, {}};
}

} // namespace tarn::sim
