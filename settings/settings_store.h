// Reading and writing settings by section and key. The XML profile is the real store; tests
// record the traffic through the same interface.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace pendant {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The default comes back when the key is missing or its text is empty.
  virtual int32_t ReadInt(const char* section, const char* key, int32_t fallback) = 0;
  virtual std::string ReadString(const char* section, const char* key,
                                 const std::string& fallback) = 0;
  virtual bool WriteInt(const char* section, const char* key, int32_t value) = 0;
  virtual bool WriteString(const char* section, const char* key, const std::string& value) = 0;
};

// Opens the profile as it is at the moment of the call and hands it to use; then closes it,
// saving what use changed when save is set and leaving the file as it was otherwise.
using ProfileAccess =
    std::function<void(bool save, const std::function<void(SettingsStore&)>& use)>;

}  // namespace pendant
