// The host's XML profile: loaded whole when the store is created, read and changed in memory,
// saved whole when it is destroyed. Layout: root element / section element / key element with
// the value as its text.
#pragma once

#include <string>

#include "settings/settings_store.h"
#include "settings/xml_document.h"

namespace pendant {

class XmlProfile final : public SettingsStore {
 public:
  explicit XmlProfile(std::string path);
  // Saves the document back to the path, unless the file held something it could not read or
  // is read-only; a save that fails leaves the file as it was.
  ~XmlProfile() override;

  int32_t ReadInt(const char* section, const char* key, int32_t fallback) override;
  std::string ReadString(const char* section, const char* key,
                         const std::string& fallback) override;
  bool WriteInt(const char* section, const char* key, int32_t value) override;
  bool WriteString(const char* section, const char* key, const std::string& value) override;

  // False when the file exists but could not be read or parsed: then it is never saved over.
  bool SavesOnClose() const { return savesOnClose_; }
  // The store closes without saving: the file stays as it was.
  void KeepFileAsItIs() { savesOnClose_ = false; }

 private:
  void Save();
  XmlElement RootOrNew();
  XmlElement FindKeyNode(const char* section, const char* key);
  XmlElement GetOrCreateKeyNode(const char* section, const char* key);
  // The key's text; an element with empty text is removed and reads as missing.
  bool ReadKeyText(const char* section, const char* key, std::string& text);

  XmlDocument document_;
  std::string path_;
  bool savesOnClose_ = true;
  bool startsEmpty_ = false;  // there was nothing to load
};

// The profile file at path, opened afresh for every use.
ProfileAccess XmlProfileAccess(std::string path);

}  // namespace pendant
