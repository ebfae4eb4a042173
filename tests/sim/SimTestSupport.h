#pragma once

#include "support/HandBuiltFrames.h"

#include "sim/Simulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string_view>
#include <vector>

namespace tarn::sim::test {

using namespace std::chrono_literals;

// A Tarn frame as the console builds it, so that tests can speak in command
// texts. Golden-frame tests spell out their bytes instead.
inline Bytes tarnFrame(std::uint8_t addressByte, std::string_view text)
{
    return tarn::test::handBuiltFrame(addressByte, text);
}

// The text of a one-byte-address reply frame in F8 form: between the address
// and the checksum.
inline std::string replyText(const Bytes& frame)
{
    if (frame.size() < 3 || frame[0] != 0xF8)
        return {};
    return std::string(frame.begin() + 2, frame.end() - 1);
}

// Drives a simulator on an instant of the test's own: no real time passes.
class SimDriver {
public:
    explicit SimDriver(const Simulator::Settings& settings = {}) : m_simulator(settings) {}

    Simulator& simulator() { return m_simulator; }
    TimePoint now() const { return m_now; }
    void elapse(std::chrono::milliseconds time) { m_now += time; }

    // What goes on the line for these bytes, once every delay has run out.
    Bytes ask(const Bytes& bytes)
    {
        m_simulator.receive(bytes, m_now);
        return drain();
    }
    Bytes ask(std::string_view text, std::uint8_t addressByte = 1)
    {
        return ask(tarnFrame(addressByte, text));
    }
    std::string askText(std::string_view text) { return replyText(ask(text)); }

    // Programs `commands`, each of which the camera must acknowledge, then
    // asks `query`: the text of the reply.
    template <typename Commands>
    std::string readBack(const Commands& commands, std::string_view query)
    {
        for (const auto& command : commands)
            EXPECT_EQ(ask(command), Bytes{0x06}) << command;
        return askText(query);
    }

    Bytes drain()
    {
        Bytes out;
        while (const auto due = m_simulator.nextDue()) {
            m_now = std::max(m_now, *due);
            for (const Bytes& write : m_simulator.takeDue(m_now))
                out.insert(out.end(), write.begin(), write.end());
        }
        return out;
    }

private:
    Simulator m_simulator;
    TimePoint m_now{};
};

} // namespace tarn::sim::test
