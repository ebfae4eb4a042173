#include "programming/CameraIdText.h"

namespace tarn::CameraIdText {

namespace {

constexpr std::string_view IdCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 ,-./:;<>?()'@\"";

// A UTF-8 continuation byte belongs to the character before it.
bool continues(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

} // namespace

bool isIdCharacter(unsigned char c)
{
    return c != 0 && IdCharacters.find(static_cast<char>(c)) != std::string_view::npos;
}

std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        count += continues(static_cast<unsigned char>(c)) ? 0 : 1;
    return count;
}

std::string field(std::string_view text)
{
    std::string out;
    out.reserve(LineLength);
    for (std::size_t i = 0; i < text.size() && out.size() < LineLength; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (continues(c))
            continue; // the rest of a character already made a space
        out.push_back(isIdCharacter(c) ? static_cast<char>(c) : ' ');
    }
    out.resize(LineLength, ' ');
    return out;
}

} // namespace tarn::CameraIdText
