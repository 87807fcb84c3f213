#include "settings/xml_profile.h"

#include <cstdio>
#include <utility>

#include "settings/leading_int.h"
#include "settings/profile_file.h"

namespace pendant {

XmlProfile::XmlProfile(std::string path) : path_(std::move(path)) {
  // A host that names no profile keeps the settings in memory: there is no file to look at.
  switch (path_.empty() ? ProfileFileState::Missing : ProbeProfileFile(path_)) {
    case ProfileFileState::Missing:
    case ProfileFileState::Blank:
      // A new profile: written on save, unless another host has given it content meanwhile.
      startsEmpty_ = true;
      break;
    case ProfileFileState::Content:
      // A profile the service cannot parse still holds the host's settings: never overwrite it.
      savesOnClose_ = document_.Load(path_);
      break;
    case ProfileFileState::Unreadable:
      savesOnClose_ = false;
      break;
  }
}

XmlProfile::~XmlProfile() {
  try {
    Save();
  } catch (...) {
    // A save that fails leaves the profile as it was.
  }
}

void XmlProfile::Save() {
  if (!savesOnClose_ || path_.empty() || !document_.Available()) return;
  RootOrNew();  // a new profile is saved with its root even when nothing was written
  const SaveTarget target = SaveTargetOf(path_);
  // Read-only is the owner's word; content written meanwhile is what this store never read.
  if (target.readOnly) return;
  if (startsEmpty_ && ProbeProfileFile(target.path) == ProfileFileState::Content) return;
  // Write beside the profile, then replace it: a crash or a full disk never leaves it cut short.
  const std::string temporary = TemporaryPathBeside(target.path);
  bool replaced = false;
  try {
    replaced = document_.Save(temporary) && ReplaceFileWith(temporary, target);
  } catch (...) {
  }
  if (!replaced) std::remove(temporary.c_str());
  RemoveStaleTemporaries(target.path);
}

ProfileAccess XmlProfileAccess(std::string path) {
  return [path = std::move(path)](bool save, const std::function<void(SettingsStore&)>& use) {
    XmlProfile profile(path);
    if (!save) profile.KeepFileAsItIs();
    use(profile);
  };
}

// Made on the first write, not on loading: a profile only read, as one the host names no file
// for, never builds a document.
XmlElement XmlProfile::RootOrNew() {
  if (XmlElement root = document_.DocumentElement()) return root;
  return document_.AppendDocumentElement("profile");
}

XmlElement XmlProfile::FindKeyNode(const char* section, const char* key) {
  XmlElement sectionNode = document_.FirstChild(document_.DocumentElement(), section);
  if (!sectionNode) return {};
  return document_.FirstChild(sectionNode, key);
}

XmlElement XmlProfile::GetOrCreateKeyNode(const char* section, const char* key) {
  XmlElement root = RootOrNew();
  XmlElement sectionNode = document_.FirstChild(root, section);
  if (!sectionNode) sectionNode = document_.AppendChild(root, section);
  XmlElement keyNode = document_.FirstChild(sectionNode, key);
  if (!keyNode) keyNode = document_.AppendChild(sectionNode, key);
  return keyNode;
}

bool XmlProfile::ReadKeyText(const char* section, const char* key, std::string& text) {
  XmlElement node = FindKeyNode(section, key);
  if (!node) return false;
  text = document_.Text(node);
  if (!text.empty()) return true;
  document_.Remove(node);
  return false;
}

int32_t XmlProfile::ReadInt(const char* section, const char* key, int32_t fallback) {
  std::string text;
  if (!ReadKeyText(section, key, text)) return fallback;
  return ParseLeadingInt(text).value_or(0);
}

std::string XmlProfile::ReadString(const char* section, const char* key,
                                   const std::string& fallback) {
  std::string text;
  return ReadKeyText(section, key, text) ? text : fallback;
}

bool XmlProfile::WriteInt(const char* section, const char* key, int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
  return WriteString(section, key, text);
}

bool XmlProfile::WriteString(const char* section, const char* key, const std::string& value) {
  document_.SetText(GetOrCreateKeyNode(section, key), value);
  return true;
}

}  // namespace pendant
