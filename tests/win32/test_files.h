// Files the Windows tests create in the temporary folder, and how they read them back.
#pragma once

#include <optional>
#include <string>

namespace pendant::test {

// A path in the temporary folder, unique to this process.
std::string TempPath(const std::string& name);
bool FileExists(const std::string& path);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
void RemoveFile(const std::string& path);
// The text with all white space dropped: document services differ in line breaks and
// indentation, not in elements and values.
std::string WithoutWhiteSpace(const std::string& text);
// The file's XML with any declaration and all white space dropped.
std::string CompactXml(const std::string& path);
// The text of the first element with this name in the XML ("" for an empty one), or nothing
// when there is no such element.
std::optional<std::string> ElementText(const std::string& xml, const std::string& name);

}  // namespace pendant::test
