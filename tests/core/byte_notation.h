#pragma once
// Writes byte strings the way the tables of the tests read: tokens separated
// by blanks, where CR, LF, SP, TAB, VT, FF and NUL stand for those bytes,
// 0xHH for one byte of that value, and anything else for its own characters.
// bytes("1 CR LF 0xB0 2") is the five bytes 31 0D 0A B0 32.

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace tavelin::testing {

inline std::string bytes(std::string_view notation) {
  std::istringstream in{std::string(notation)};
  std::string out;
  for (std::string token; in >> token;) {
    if (token == "CR") out += '\r';
    else if (token == "LF") out += '\n';
    else if (token == "SP") out += ' ';
    else if (token == "TAB") out += '\t';
    else if (token == "VT") out += '\v';
    else if (token == "FF") out += '\f';
    else if (token == "NUL") out += '\0';
    else if (token.size() == 4 && token.rfind("0x", 0) == 0) out += static_cast<char>(std::stoi(token.substr(2), nullptr, 16));
    else out += token;
  }
  return out;
}

// Lines separated by ';', each in the notation above; "(empty)" is an empty line.
inline std::vector<std::string> lines(std::string_view notation) {
  std::vector<std::string> result;
  if (notation.empty()) return result;
  std::size_t start = 0;
  for (;;) {
    const std::size_t semi = notation.find(';', start);
    std::string_view part = notation.substr(start, semi == std::string_view::npos ? notation.npos : semi - start);
    result.push_back(part.find("(empty)") != std::string_view::npos ? std::string() : bytes(part));
    if (semi == std::string_view::npos) break;
    start = semi + 1;
  }
  return result;
}

// Shows a byte string with its control and high bytes escaped, for failure messages.
inline std::string shown(std::string_view s) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (const char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c < 0x7F) {
      out += ch;
    } else {
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

}  // namespace tavelin::testing
