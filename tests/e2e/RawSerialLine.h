#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace tarn::e2e {

// A serial device opened without the console: raw, 8N1, at a rate the test
// chooses, for frames the test builds itself.
class RawSerialLine {
public:
    RawSerialLine(const std::string& device, int baud);
    ~RawSerialLine();
    RawSerialLine(const RawSerialLine&) = delete;
    RawSerialLine& operator=(const RawSerialLine&) = delete;

    bool isOpen() const { return m_fd >= 0; }

    // Writes `frame`, then gathers what comes back: nothing when `quiet`
    // passes without a byte.
    std::vector<std::uint8_t> ask(const std::vector<std::uint8_t>& frame, std::chrono::milliseconds quiet);

private:
    int m_fd = -1;
};

} // namespace tarn::e2e
