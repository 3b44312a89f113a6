#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace querimo::text {

// Letter case folded for the Latin-1 and Latin Extended-A ranges, which covers the text Access files hold in practice.
char32_t foldCase(char32_t c);
bool equalsIgnoreCase(std::string_view a, std::string_view b);  // UTF-8 in
// The text with its letter case folded: equal keys for texts equalsIgnoreCase finds equal.
std::string foldedKey(std::string_view utf8);
std::string toUpper(std::string_view utf8);
std::string toLower(std::string_view utf8);

// Decodes one code point at pos and advances pos; invalid bytes decode as U+FFFD.
char32_t decodeUtf8(std::string_view s, std::size_t& pos);
void appendUtf8(std::string& out, char32_t c);

std::string fromUtf16le(const unsigned char* data, std::size_t byteCount);
std::string toUtf16le(std::string_view utf8);
std::string fromWindows1252(std::string_view bytes);
// Characters outside Windows-1252 become '?'.
std::string toWindows1252(std::string_view utf8);

}  // namespace querimo::text
