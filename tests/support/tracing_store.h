// A settings store that passes every read and write on to another store and notes each as a
// line of traffic: "read KEY VALUE" with the value the read gave, "write KEY VALUE".
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings_store.h"

namespace pendant::testing {

class TracingStore final : public SettingsStore {
 public:
  explicit TracingStore(SettingsStore& store) : store_(store) {}

  int32_t ReadInt(const char* section, const char* key, int32_t fallback) override {
    const int32_t value = store_.ReadInt(section, key, fallback);
    Note("read", section, key, std::to_string(value));
    return value;
  }
  std::string ReadString(const char* section, const char* key,
                         const std::string& fallback) override {
    std::string value = store_.ReadString(section, key, fallback);
    Note("read", section, key, value);
    return value;
  }
  bool WriteInt(const char* section, const char* key, int32_t value) override {
    Note("write", section, key, std::to_string(value));
    return store_.WriteInt(section, key, value);
  }
  bool WriteString(const char* section, const char* key, const std::string& value) override {
    Note("write", section, key, value);
    return store_.WriteString(section, key, value);
  }

  void Mark(const std::string& mark) { traffic.push_back(mark); }

  std::vector<std::string> traffic;

 private:
  void Note(const char* what, const char* section, const char* key, const std::string& value) {
    EXPECT_STREQ(section, "Qorvix_K7R_Pendant") << key;
    traffic.push_back(std::string(what) + " " + key + " " + value);
  }

  SettingsStore& store_;
};

}  // namespace pendant::testing
