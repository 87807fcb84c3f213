// Any profile file (malformed XML, huge texts, deep nesting, entities, byte order marks, other
// roots) through SetProName, PostInitControl and Config: a file the store cannot parse is never
// rewritten, and one it can parse keeps every node outside the plug-in's section.
#include <pugixml.hpp>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "bench/session/bench_session.h"
#include "bench/session/dialog_user.h"
#include "plugin/exports.h"
#include "settings/pendant_settings.h"
#include "settings/profile_file.h"
#include "settings/xml_document.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/support/temp_dir.h"

namespace {

using pendant::testing::ReadFile;
using pendant::testing::WriteFile;

constexpr unsigned kKeepEverything =
    pugi::parse_full | pugi::parse_ws_pcdata | pugi::parse_fragment;

// The file's nodes without the plug-in's section and the whitespace before it, written out. The
// declaration is left out: the store adds one to a file that had none.
std::string NodesOutsideSection(const std::string& content) {
  pugi::xml_document document;
  document.load_buffer(content.data(), content.size(), kKeepEverything);
  if (document.first_child().type() == pugi::node_declaration) {
    document.remove_child(document.first_child());
  }
  pugi::xml_node root = document.document_element();
  if (pugi::xml_node section = root.child(pendant::kSettingsSection)) {
    pugi::xml_node indent = section.previous_sibling();
    if (indent.type() == pugi::node_pcdata &&
        std::string(indent.value()).find_first_not_of(" \t\r\n") == std::string::npos) {
      root.remove_child(indent);
    }
    root.remove_child(section);
  }
  std::ostringstream text;
  document.save(text, "", pugi::format_raw | pugi::format_no_declaration);
  return text.str();
}

// The file is what this target tests, so it stays a real file; on a memory file system, where
// there is one, no input waits on the disk.
std::filesystem::path SessionParent() {
  std::error_code failed;
  return std::filesystem::is_directory("/dev/shm", failed) ? "/dev/shm"
                                                           : std::filesystem::temp_directory_path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string original(reinterpret_cast<const char*>(data), size);
  // One session for the whole run, reset for each input: its folder is made once and the
  // profile file in it is the one every input is written to.
  static pendant::bench::BenchSession session(SessionParent());
  session.Reset();
  WriteFile(session.profilePath, original);
  const pendant::ProfileFileState state = pendant::ProbeProfileFile(session.profilePath);
  const bool parses = pendant::XmlDocument().Load(session.profilePath);

  session.Start();
  pendant::QueueDialogTurns({pendant::bench::SetFieldsAndClose(
      {{"F1", original.substr(0, 64)}, {"DelaySteps", std::to_string(size)}}, true)});
  ::Config();
  session.Stop();

  const std::string saved = ReadFile(session.profilePath);
  if (state == pendant::ProfileFileState::Content) {
    if (!parses && saved != original) std::abort();
    if (parses && NodesOutsideSection(saved) != NodesOutsideSection(original)) {
      std::fprintf(stderr, "host nodes changed:\n%s\n--- became ---\n%s\n",
                   NodesOutsideSection(original).c_str(), NodesOutsideSection(saved).c_str());
      std::abort();
    }
  }
  return 0;
}
