#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarn::LocalFile {

// The file's bytes, at most `maxBytes` of them (a larger file reads as its
// first `maxBytes`); nullopt when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> read(const std::string& path, std::size_t maxBytes);

// Replaces the file with `bytes` so that it is never seen half written: the
// bytes go to a new file in the same folder, which then takes the old one's
// place. The folder is created when missing. A failure leaves any old file as
// it was and returns the reason, in the system's words.
std::optional<std::string> writeAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace tarn::LocalFile
