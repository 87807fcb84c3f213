// The XML document on the virtual platform: pugixml.
#include <pugixml.hpp>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "settings/xml_document.h"

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
// With raw line ends a carriage return written as a reference (`&#13;`) looks like a line end
// and would be saved as one. A file whose text holds such a carriage return is read with line
// ends normalised instead, and saved with its own line end and the reference written again;
// every other file keeps its bytes exactly.
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

bool TextHoldsCarriageReturn(pugi::xml_document& document) {
  class Finder final : public pugi::xml_tree_walker {
   public:
    bool for_each(pugi::xml_node& node) override {
      found = node.type() == pugi::node_pcdata && std::strchr(node.value(), '\r') != nullptr;
      return !found;
    }
    bool found = false;
  } finder;
  document.traverse(finder);
  return finder.found;
}

// The code units of a file in the encodings the document reads; ASCII characters are one unit.
class CodeUnits {
 public:
  explicit CodeUnits(pugi::xml_encoding encoding)
      : width_(encoding == pugi::encoding_utf16_le || encoding == pugi::encoding_utf16_be   ? 2
               : encoding == pugi::encoding_utf32_le || encoding == pugi::encoding_utf32_be ? 4
                                                                                            : 1),
        bigEndian_(encoding == pugi::encoding_utf16_be || encoding == pugi::encoding_utf32_be) {}

  size_t Width() const { return width_; }
  uint32_t At(const std::string& bytes, size_t offset) const {
    uint32_t unit = 0;
    for (size_t i = 0; i < width_; ++i) {
      const auto byte =
          static_cast<unsigned char>(bytes[offset + (bigEndian_ ? i : width_ - 1 - i)]);
      unit = (unit << 8) | byte;
    }
    return unit;
  }
  void Append(std::string& bytes, const char* ascii) const {
    for (; *ascii; ++ascii) {
      for (size_t i = 0; i < width_; ++i) {
        const bool low = bigEndian_ ? i == width_ - 1 : i == 0;
        bytes += low ? *ascii : '\0';
      }
    }
  }

 private:
  size_t width_;
  bool bigEndian_;
};

// The file's first line end; a file has one style of line end.
const char* FirstLineEnd(const std::string& bytes, const CodeUnits& units) {
  const size_t width = units.Width();
  for (size_t at = 0; at + width <= bytes.size(); at += width) {
    const uint32_t unit = units.At(bytes, at);
    if (unit == '\n') return "\n";
    if (unit == '\r') {
      const bool pairedWithNext =
          at + 2 * width <= bytes.size() && units.At(bytes, at + width) == '\n';
      return pairedWithNext ? "\r\n" : "\r";
    }
  }
  return "\n";
}

class BytesWriter final : public pugi::xml_writer {
 public:
  void write(const void* data, size_t size) override {
    bytes.append(static_cast<const char*>(data), size);
  }
  std::string bytes;
};

// The bytes pugixml writes each doctype in, in document order.
std::vector<size_t> DoctypeSizes(pugi::xml_document& document, pugi::xml_encoding encoding) {
  std::vector<size_t> sizes;
  for (pugi::xml_node node : document.children()) {
    if (node.type() != pugi::node_doctype) continue;
    BytesWriter writer;
    node.print(writer, "", kSaveFlags, encoding);
    sizes.push_back(writer.bytes.size());
  }
  return sizes;
}

// pugixml's output of a document read with normalised line ends, with every line feed written as
// the file's line end and every carriage return, a character of the text, as a reference.
// Doctypes and processing instructions are not normalised on reading, so they keep their bytes.
// Outside markup pugixml escapes every '<', so one there starts markup.
class LineEndWriter {
 public:
  LineEndWriter(const CodeUnits& units, const char* lineEnd, std::vector<size_t> doctypeSizes)
      : units_(units), lineEnd_(lineEnd), doctypeSizes_(std::move(doctypeSizes)) {}

  std::string Write(const std::string& bytes) {
    std::string written;
    written.reserve(bytes.size());
    size_t doctype = 0;
    const char* closing = nullptr;  // of the comment or CDATA section being copied
    const size_t width = units_.Width();
    for (size_t at = 0; at + width <= bytes.size();) {
      // Markup starts with '<' and a section ends with its closing's first character: only
      // those units are compared further.
      const uint32_t unit = units_.At(bytes, at);
      const bool opens = !closing && unit == '<';
      if (closing && unit == uint32_t(closing[0]) && Starts(bytes, at, closing)) {
        at = Copy(bytes, at, Units(closing), written);
        closing = nullptr;
      } else if (opens && Starts(bytes, at, "<!--")) {
        at = Copy(bytes, at, Units("<!--"), written);
        closing = "-->";
      } else if (opens && Starts(bytes, at, "<![CDATA[")) {
        at = Copy(bytes, at, Units("<![CDATA["), written);
        closing = "]]>";
      } else if (opens && Starts(bytes, at, "<!DOCTYPE") && doctype < doctypeSizes_.size()) {
        at = Copy(bytes, at, doctypeSizes_[doctype++], written);
      } else if (opens && Starts(bytes, at, "<?")) {
        size_t end = at;
        while (end + width <= bytes.size() &&
               !(units_.At(bytes, end) == '?' && Starts(bytes, end, "?>")))
          end += width;
        at = Copy(bytes, at, end - at + Units("?>"), written);
      } else {
        if (unit == '\n') {
          units_.Append(written, lineEnd_);
        } else if (unit == '\r') {
          units_.Append(written, "&#13;");
        } else {
          written.append(bytes, at, width);
        }
        at += width;
      }
    }
    return written;
  }

 private:
  size_t Units(const char* ascii) const { return std::strlen(ascii) * units_.Width(); }
  bool Starts(const std::string& bytes, size_t at, const char* ascii) const {
    for (; *ascii; ++ascii, at += units_.Width()) {
      if (at + units_.Width() > bytes.size() || units_.At(bytes, at) != uint32_t(*ascii))
        return false;
    }
    return true;
  }
  static size_t Copy(const std::string& bytes, size_t at, size_t size, std::string& written) {
    written.append(bytes, at, size);
    return at + size;
  }

  const CodeUnits& units_;
  const char* lineEnd_;
  std::vector<size_t> doctypeSizes_;
};

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
  node_ = other.node_;
  other.node_ = nullptr;
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
  if (!result || !impl_->document.document_element()) {
    impl_->document.reset();
    return false;
  }
  impl_->encoding = result.encoding;
  impl_->byteOrderMark = IsWide(result.encoding) || bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
  if (TextHoldsCarriageReturn(impl_->document)) {
    pugi::xml_document normalised;
    normalised.load_buffer(bytes.data(), bytes.size(), kParseFlagsWithLineEnds, result.encoding);
    if (TextHoldsCarriageReturn(normalised)) {
      // Moved, not copied: a copy drops an instruction's empty data, and `<?x ?>` becomes `<?x?>`.
      impl_->document = std::move(normalised);
      impl_->lineEnd = FirstLineEnd(bytes, CodeUnits(result.encoding));
    }
  }
  return true;
}

bool XmlDocument::Save(const std::string& path) {
  const unsigned flags = kSaveFlags | (impl_->byteOrderMark ? pugi::format_write_bom : 0);
  if (!impl_->lineEnd) return impl_->document.save_file(path.c_str(), "", flags, impl_->encoding);
  BytesWriter writer;
  impl_->document.save(writer, "", flags, impl_->encoding);
  const CodeUnits units(impl_->encoding);
  LineEndWriter lineEnds(units, impl_->lineEnd, DoctypeSizes(impl_->document, impl_->encoding));
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << lineEnds.Write(writer.bytes);
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
