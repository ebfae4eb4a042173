#pragma once

#include "link/ByteTransport.h"
#include "link/CameraLink.h"
#include "platform/MemoryProfileStore.h"
#include "platform/ScriptedPrompter.h"
#include "platform/VirtualClock.h"
#include "support/HandBuiltFrames.h"
#include "support/QueuedCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarn::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

// A camera's F8 reply: start byte, its address byte, the text, the checksum.
inline Bytes cameraReply(std::uint8_t addressByte, std::string_view text)
{
    return handBuiltFrame(addressByte, text);
}

// Collects every write as one block, so tests see frame boundaries.
struct RecordingTransport : ByteTransport {
    std::vector<Bytes> writes;
    void write(std::span<const std::uint8_t> bytes) override
    {
        writes.emplace_back(bytes.begin(), bytes.end());
    }
    Bytes last() const { return writes.empty() ? Bytes{} : writes.back(); }
};

struct RecordingEvents : LinkEvents {
    std::vector<Bytes> statusReplies;
    std::vector<std::pair<int, int>> positions;
    std::vector<Bytes> presetNames;
    std::vector<std::pair<int, int>> javelin;
    std::vector<StatusFields> fields;
    int linkFrameRequests = 0;
    std::vector<int> connections;
    int sendLocks = 0;

    void statusReply(std::span<const std::uint8_t> frame) override
    {
        statusReplies.emplace_back(frame.begin(), frame.end());
    }
    void panTiltPosition(int pan, int tilt) override { positions.push_back({pan, tilt}); }
    void presetNameReply(std::span<const std::uint8_t> frame) override
    {
        presetNames.emplace_back(frame.begin(), frame.end());
    }
    void javelinStatus(int length, std::uint8_t status) override { javelin.push_back({length, status}); }
    void statusFields(const StatusFields& f) override { fields.push_back(f); }
    void addressLinkFrameRequested() override { ++linkFrameRequests; }
    void connectionReply(int address) override { connections.push_back(address); }
    void sendLockSet() override { ++sendLocks; }
};

struct RecordingReceiver : ReplyReceiver {
    std::vector<Bytes> frames;
    void replyReceived(std::span<const std::uint8_t> frame) override
    {
        frames.emplace_back(frame.begin(), frame.end());
    }
};

// A link as the main window has it after its initialisation: serial mode,
// F8 mode, not busy, with the line captured.
class LinkFixture : public ::testing::Test {
protected:
    VirtualClock clock;
    ScriptedPrompter prompter;
    MemoryProfileStore profile;
    RecordingEvents events;
    RecordingTransport serial;
    RecordingTransport network;
    CameraLink link{clock, prompter, profile, events};

    LinkFixture()
    {
        link.setSerialTransport(&serial);
        link.state().linkMode = 0;
        link.state().busy = false;
        link.state().address = 1;
    }

    void receive(const Bytes& bytes)
    {
        for (const std::uint8_t byte : bytes)
            link.serialByteReceived(byte, 1);
    }

    // What waits in the queue, oldest first, leaving it empty.
    std::vector<std::string> queued() { return takeQueued(link.queue()); }

    // The texts of the frames written so far (address 1: between byte 1 and
    // the checksum), leaving none.
    std::vector<std::string> takeSent()
    {
        std::vector<std::string> texts;
        for (const Bytes& frame : serial.writes)
            texts.emplace_back(frame.begin() + 2, frame.end() - 1);
        serial.writes.clear();
        return texts;
    }
};

} // namespace tarn::test
