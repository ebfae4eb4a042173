#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tarn {

// What a camera reply means to the Setup dialog: the answers of its read-back
// chain and the NTCIP state.
struct SetupReply {
    enum class Kind {
        Other,             // not one of the dialog's answers
        Firmware,          // "R" + version text
        SerialNumber,      // "mS" + digits
        PanTiltType,       // "s" + '0'..'2'
        Direction,         // "S" + '0'..'2'
        JavelinContinuous, // "Jc" + '0'/'1'
        JavelinAddress,    // "Jb" + '0'/'1'
        Ntcip,             // "mn" + '0'/'1'
    };
    static constexpr std::size_t FirmwareLength = 32;
    static constexpr std::size_t SerialNumberLength = 7;

    Kind kind = Kind::Other;
    std::string text; // Firmware and SerialNumber
    int value = -1;   // the digit of the other kinds; -1 when the payload is not one they take

    // Reads `frame` (from its start byte) at the positions the reply router
    // found its letter at: byte 2, or after the extended-address digits.
    // Never reads past the frame.
    static SetupReply parse(std::span<const std::uint8_t> frame, int protocolIndex);
};

} // namespace tarn
