#pragma once

// What the reply fuzzers share: the input read as one choice byte and a
// frame, and a camera link on the virtual clock for the dialog logic.

#include "link/Protocols.h"
#include "support/LinkBench.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

namespace tarn::fuzz {

// A property the fuzzer found broken: stop here, with the input saved.
inline void check(bool holds)
{
    if (!holds)
        std::abort();
}

// The first byte chooses what the fuzzer varies (the protocol, the camera,
// ...), the rest is the reply frame from its byte 0.
struct ChoiceAndFrame {
    std::uint8_t choice;
    std::span<const std::uint8_t> frame;

    // The protocol index the choice byte names, among the first `count`.
    int protocol(int count = Protocol::Count) const { return choice % count; }
};

inline std::optional<ChoiceAndFrame> splitInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return std::nullopt;
    return ChoiceAndFrame{data[0], std::span(data + 1, size - 1)};
}

// A camera link on the virtual clock speaking the protocol of this index,
// otherwise as it is built.
struct FuzzLink : test::LinkBench {
    CameraLink link{clock, prompter, profile, events};

    explicit FuzzLink(int protocolIndex) { link.state().protocolIndex = protocolIndex; }

    // On the serial port with nothing in flight, as the main window leaves
    // it: what a dialog sends goes out, and its answer is awaited.
    LinkState& idleOnSerialPort()
    {
        link.state().busy = false;
        link.state().linkMode = 0;
        return link.state();
    }
};

} // namespace tarn::fuzz
