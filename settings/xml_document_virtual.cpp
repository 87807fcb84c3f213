// The XML document on the virtual platform: pugixml.
#include <pugixml.hpp>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>

#include "settings/xml_code_units.h"
#include "settings/xml_document.h"
#include "settings/xml_line_ends.h"

namespace pendant {
namespace {

// The host's file is kept as written: comments, processing instructions, the declaration, the
// doctype and the whitespace between elements, also around the root, all survive a load and
// save. Line ends are not converted, so a file with CR LF keeps them. External entities are
// never expanded. Parsing as a fragment is what keeps the whitespace around the root; a file
// without a root element is still refused (see Load).
constexpr unsigned kParseFlags = pugi::parse_cdata | pugi::parse_escapes |
                                 pugi::parse_wconv_attribute | pugi::parse_comments |
                                 pugi::parse_pi | pugi::parse_declaration | pugi::parse_doctype |
                                 pugi::parse_ws_pcdata | pugi::parse_fragment;
// Written back without re-indentation: the whitespace the file had is in the document.
constexpr unsigned kSaveFlags = pugi::format_raw;
// For a file whose texts would read otherwise once saved with raw line ends, as one with a
// carriage-return reference (see xml_line_ends.h); every other file keeps its bytes exactly.
constexpr unsigned kParseFlagsWithLineEnds = kParseFlags | pugi::parse_eol;

pugi::xml_node NodeOf(void* node) {
  return pugi::xml_node(static_cast<pugi::xml_node_struct*>(node));
}

bool IsBlank(pugi::xml_node node) {
  if (node.type() != pugi::node_pcdata) return false;
  for (const char* c = node.value(); *c; ++c) {
    if (*c != ' ' && *c != '\t' && *c != '\r' && *c != '\n') return false;
  }
  return true;
}

// A new last element goes before the whitespace that indents the parent's closing tag and
// takes the indentation of the element before it, so an indented file stays indented.
pugi::xml_node AppendIndented(pugi::xml_node parent, const char* name) {
  pugi::xml_node closingIndent = parent.last_child();
  if (!IsBlank(closingIndent)) return parent.append_child(name);
  pugi::xml_node child = parent.insert_child_before(name, closingIndent);
  pugi::xml_node lastElement = child.previous_sibling();
  pugi::xml_node siblingIndent = lastElement.previous_sibling();
  const char* indent = IsBlank(siblingIndent) ? siblingIndent.value() : closingIndent.value();
  parent.insert_child_before(pugi::node_pcdata, child).set_value(indent);
  return child;
}

// Everything an element holds as text, nested elements included, as the DOM's text content is:
// comments and processing instructions inside it are not text. The walk is not recursive, so
// deep nesting cannot exhaust the stack.
class TextCollector final : public pugi::xml_tree_walker {
 public:
  bool for_each(pugi::xml_node& node) override {
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) text += node.value();
    return true;
  }
  std::string text;
};

// UTF-16 and UTF-32 files are written with a byte order mark so they read back the same.
bool IsWide(pugi::xml_encoding encoding) {
  return encoding == pugi::encoding_utf16_le || encoding == pugi::encoding_utf16_be ||
         encoding == pugi::encoding_utf32_le || encoding == pugi::encoding_utf32_be;
}

// In large unbuffered pieces: a file stream's own buffer and locale cost more than the read.
bool ReadBytes(const std::string& path, std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::setvbuf(file, nullptr, _IONBF, 0);
  char chunk[16384];
  for (size_t n = 0; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, n);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

// A reference to the character 0 (`&#0;`, `&#x00;`) anywhere in bytes, read as units.
bool HoldsZeroReference(std::string_view bytes, const CodeUnits& units) {
  const size_t width = units.Width();
  const auto unitAt = [&](size_t at) {
    return at + width <= bytes.size() ? units.At(bytes, at) : 0;
  };
  for (size_t at = 0; at + width <= bytes.size(); at += width) {
    if (unitAt(at) != '&' || unitAt(at + width) != '#') continue;
    size_t next = at + 2 * width;
    if (unitAt(next) == 'x') next += width;
    size_t zeros = 0;
    for (; unitAt(next) == '0'; next += width) ++zeros;
    if (zeros > 0 && unitAt(next) == ';') return true;
  }
  return false;
}

// Whether a text or an attribute value of the file refers to the character 0. That is no XML
// character, so a conforming reader refuses the file; pugixml would end the text there, and the
// rest of it would be lost on saving. Comments, CDATA sections, instructions and the doctype may
// hold the same letters as text, so the file is read once more without references resolved.
bool RefersToCharacterZero(const std::string& bytes, pugi::xml_encoding encoding) {
  if (!HoldsZeroReference(bytes, CodeUnits(encoding))) return false;
  class Finder final : public pugi::xml_tree_walker {
   public:
    bool for_each(pugi::xml_node& node) override {
      const CodeUnits utf8(pugi::encoding_utf8);
      found = node.type() == pugi::node_pcdata && HoldsZeroReference(node.value(), utf8);
      for (pugi::xml_attribute attribute : node.attributes()) {
        found = found || HoldsZeroReference(attribute.value(), utf8);
      }
      return !found;
    }
    bool found = false;
  } finder;
  pugi::xml_document unresolved;
  unresolved.load_buffer(bytes.data(), bytes.size(), kParseFlags & ~pugi::parse_escapes, encoding);
  unresolved.traverse(finder);
  return finder.found;
}

}  // namespace

struct XmlDocument::Impl {
  pugi::xml_document document;
  // Saved as loaded: same encoding, byte order mark only if the file had one.
  pugi::xml_encoding encoding = pugi::encoding_auto;
  bool byteOrderMark = false;
  // Set when the document was read with normalised line ends: the line end to write.
  const char* lineEnd = nullptr;
};

XmlElement::~XmlElement() = default;
XmlElement::XmlElement(XmlElement&& other) noexcept : node_(other.node_) {
  other.node_ = nullptr;
}
XmlElement& XmlElement::operator=(XmlElement&& other) noexcept {
  if (this != &other) {
    node_ = other.node_;
    other.node_ = nullptr;
  }
  return *this;
}

XmlDocument::XmlDocument() : impl_(std::make_unique<Impl>()) {}
XmlDocument::~XmlDocument() = default;

bool XmlDocument::Available() const {
  return true;
}

bool XmlDocument::Load(const std::string& path) {
  impl_->lineEnd = nullptr;
  std::string bytes;
  pugi::xml_parse_result result;
  if (ReadBytes(path, bytes)) {
    result = impl_->document.load_buffer(bytes.data(), bytes.size(), kParseFlags);
  }
  if (!result || !impl_->document.document_element() ||
      RefersToCharacterZero(bytes, result.encoding)) {
    impl_->document.reset();
    return false;
  }
  impl_->encoding = result.encoding;
  impl_->byteOrderMark = IsWide(result.encoding) || bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
  if (TextHoldsCarriageReturn(impl_->document)) {
    pugi::xml_document normalised;
    normalised.load_buffer(bytes.data(), bytes.size(), kParseFlagsWithLineEnds, result.encoding);
    if (!TextsReadTheSame(impl_->document, normalised)) {
      // Moved, not copied: a copy drops an instruction's empty data, and `<?x ?>` becomes `<?x?>`.
      impl_->document = std::move(normalised);
      impl_->lineEnd = FirstLineEnd(bytes, result.encoding);
    }
  }
  return true;
}

bool XmlDocument::Save(const std::string& path) {
  const unsigned flags = kSaveFlags | (impl_->byteOrderMark ? pugi::format_write_bom : 0);
  if (!impl_->lineEnd) return impl_->document.save_file(path.c_str(), "", flags, impl_->encoding);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << WithLineEnds(impl_->document, flags, impl_->encoding, impl_->lineEnd);
  file.close();
  return !file.fail();
}

XmlElement XmlDocument::DocumentElement() {
  pugi::xml_node root = impl_->document.document_element();
  return XmlElement(root.internal_object());
}

XmlElement XmlDocument::AppendDocumentElement(const char* name) {
  return XmlElement(impl_->document.append_child(name).internal_object());
}

XmlElement XmlDocument::FirstChild(const XmlElement& parent, const char* name) {
  if (!parent) return {};
  return XmlElement(NodeOf(parent.node_).child(name).internal_object());
}

XmlElement XmlDocument::AppendChild(const XmlElement& parent, const char* name) {
  if (!parent) return {};
  return XmlElement(AppendIndented(NodeOf(parent.node_), name).internal_object());
}

std::string XmlDocument::Text(const XmlElement& element) {
  if (!element) return {};
  TextCollector collector;
  NodeOf(element.node_).traverse(collector);
  return collector.text;
}

void XmlDocument::SetText(const XmlElement& element, const std::string& text) {
  if (!element) return;
  pugi::xml_node node = NodeOf(element.node_);
  while (node.first_child()) node.remove_child(node.first_child());
  node.append_child(pugi::node_pcdata).set_value(text.c_str());
}

void XmlDocument::Remove(XmlElement& element) {
  if (!element) return;
  pugi::xml_node node = NodeOf(element.node_);
  node.parent().remove_child(node);
  element.node_ = nullptr;
}

}  // namespace pendant
