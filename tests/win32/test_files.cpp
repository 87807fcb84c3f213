#include "tests/win32/test_files.h"

#include <windows.h>

#include <fstream>
#include <iterator>

namespace pendant::test {

std::string TempPath(const std::string& name) {
  char folder[MAX_PATH + 1] = {};
  GetTempPathA(sizeof folder, folder);
  return std::string(folder) + "pendant-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void RemoveFile(const std::string& path) {
  DeleteFileA(path.c_str());
}

std::string WithoutWhiteSpace(const std::string& text) {
  std::string compact;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') compact += c;
  }
  return compact;
}

std::string CompactXml(const std::string& path) {
  std::string text = ReadBytes(path);
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  const size_t declarationEnd = text.find("?>");
  if (text.rfind("<?xml", 0) == 0 && declarationEnd != std::string::npos) {
    text.erase(0, declarationEnd + 2);
  }
  return WithoutWhiteSpace(text);
}

std::optional<std::string> ElementText(const std::string& xml, const std::string& name) {
  const std::string open = "<" + name + ">";
  const size_t start = xml.find(open);
  if (xml.find("<" + name + "/>") < start) return std::string();
  if (start == std::string::npos) return std::nullopt;
  const size_t end = xml.find("</" + name + ">", start);
  if (end == std::string::npos) return std::nullopt;
  return xml.substr(start + open.size(), end - start - open.size());
}

}  // namespace pendant::test
