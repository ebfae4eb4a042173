#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarn {

// The text lines the camera lays over its video: 24 characters each, of the
// 76 characters the camera's character generator has, and the double quote.
// Texts from the edits are UTF-8; each character counts once.
namespace CameraIdText {

inline constexpr std::size_t LineLength = 24;

bool isIdCharacter(unsigned char c);
// Characters (not bytes) of a UTF-8 text.
std::size_t characterCount(std::string_view text);
// The 24-character field the camera gets: the text, then spaces, with every
// character that is not an ID character (a '!', an accented letter) a space.
// Only the first 24 characters of a longer text are taken.
std::string field(std::string_view text);

} // namespace CameraIdText
} // namespace tarn
