// The checks of what the profile file holds as a whole: texts anywhere in it, the plug-in's
// keys present or missing, and their order.
#include <pugixml.hpp>

#include <fstream>
#include <sstream>

#include "bench/script/script_runner.h"
#include "bench/session/text_escape.h"
#include "settings/pendant_settings.h"

namespace pendant::bench {
namespace {

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The element names of the plug-in's section, in file order.
std::vector<std::string> SectionKeys(const std::string& path) {
  pugi::xml_document document;
  document.load_file(path.c_str());
  std::vector<std::string> keys;
  for (const pugi::xml_node key : document.document_element().child(kSettingsSection).children()) {
    if (key.type() == pugi::node_element) keys.emplace_back(key.name());
  }
  return keys;
}

std::string KeyList(const std::vector<std::string>& keys) {
  std::string list;
  for (const std::string& key : keys) list += (list.empty() ? "" : " ") + key;
  return list.empty() ? "(none)" : list;
}

}  // namespace

ScriptRunner::Verdict ScriptRunner::Do(const script::ExpectProfileFile& expect) {
  using Kind = script::ExpectProfileFile::Kind;
  const std::string& path = session_.profilePath;
  if (expect.kind == Kind::Contains || expect.kind == Kind::Lacks) {
    const bool found = FileText(path).find(expect.words[0]) != std::string::npos;
    if (found == (expect.kind == Kind::Contains)) return Passed();
    return "expected the profile file " + std::string(found ? "not " : "") + "to hold " +
           Quoted(expect.words[0]);
  }
  const std::vector<std::string> keys = SectionKeys(path);
  size_t matched = 0;
  for (const std::string& key : keys) {
    if (matched < expect.words.size() && key == expect.words[matched]) ++matched;
  }
  const bool present = matched == expect.words.size();
  if (expect.kind == Kind::Missing ? matched == 0 : present) return Passed();
  const std::string holds = " in the plug-in's section, but it holds " + KeyList(keys);
  if (expect.kind == Kind::Missing) return "expected no key " + expect.words[0] + holds;
  if (expect.kind == Kind::Present) return "expected the key " + expect.words[0] + holds;
  return "expected the keys " + KeyList(expect.words) + " in this order" + holds;
}

}  // namespace pendant::bench
