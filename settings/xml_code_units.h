// The code units of a file in the encodings the virtual platform's document reads.
#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pendant {

// ASCII characters are one unit in every encoding.
class CodeUnits {
 public:
  explicit CodeUnits(pugi::xml_encoding encoding)
      : width_(encoding == pugi::encoding_utf16_le || encoding == pugi::encoding_utf16_be   ? 2
               : encoding == pugi::encoding_utf32_le || encoding == pugi::encoding_utf32_be ? 4
                                                                                            : 1),
        bigEndian_(encoding == pugi::encoding_utf16_be || encoding == pugi::encoding_utf32_be) {}

  size_t Width() const { return width_; }
  uint32_t At(std::string_view bytes, size_t offset) const {
    uint32_t unit = 0;
    for (size_t i = 0; i < width_; ++i) {
      const auto byte =
          static_cast<unsigned char>(bytes[offset + (bigEndian_ ? i : width_ - 1 - i)]);
      unit = (unit << 8) | byte;
    }
    return unit;
  }
  void Append(std::string& bytes, const char* ascii) const {
    for (; *ascii; ++ascii) {
      for (size_t i = 0; i < width_; ++i) {
        const bool low = bigEndian_ ? i == width_ - 1 : i == 0;
        bytes += low ? *ascii : '\0';
      }
    }
  }

 private:
  size_t width_;
  bool bigEndian_;
};

}  // namespace pendant
