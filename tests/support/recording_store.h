// A settings store that answers from maps and records every write in order.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "settings/settings_store.h"

namespace pendant::testing {

class RecordingStore final : public SettingsStore {
 public:
  int32_t ReadInt(const char* section, const char* key, int32_t fallback) override {
    ExpectSection(section);
    auto found = ints.find(key);
    return found == ints.end() ? fallback : found->second;
  }
  std::string ReadString(const char* section, const char* key,
                         const std::string& fallback) override {
    ExpectSection(section);
    auto found = texts.find(key);
    return found == texts.end() ? fallback : found->second;
  }
  bool WriteInt(const char*, const char* key, int32_t value) override {
    writes.push_back(key);
    ints[key] = value;
    texts.erase(key);
    return true;
  }
  bool WriteString(const char*, const char* key, const std::string& value) override {
    writes.push_back(key);
    texts[key] = value;
    ints.erase(key);
    return true;
  }

  static void ExpectSection(const char* section) { EXPECT_STREQ(section, "Qorvix_K7R_Pendant"); }

  std::map<std::string, int32_t> ints;
  std::map<std::string, std::string> texts;
  std::vector<std::string> writes;
};

// Every opening of the profile gives this one store.
inline ProfileAccess SameStore(SettingsStore& store) {
  return [&store](bool, const std::function<void(SettingsStore&)>& use) { use(store); };
}

}  // namespace pendant::testing
