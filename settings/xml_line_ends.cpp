#include "settings/xml_line_ends.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "settings/xml_code_units.h"

namespace pendant {
namespace {

// The file's first line end; a file has one style of line end.
const char* FirstLineEndIn(const std::string& bytes, const CodeUnits& units) {
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
std::vector<size_t> DoctypeSizes(pugi::xml_document& document, unsigned flags,
                                 pugi::xml_encoding encoding) {
  std::vector<size_t> sizes;
  for (pugi::xml_node node : document.children()) {
    if (node.type() != pugi::node_doctype) continue;
    BytesWriter writer;
    node.print(writer, "", flags, encoding);
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

// The node after node in document order, without recursion: nesting may be deep.
pugi::xml_node NextInOrder(pugi::xml_node node) {
  if (node.first_child()) return node.first_child();
  for (; node; node = node.parent()) {
    if (node.next_sibling()) return node.next_sibling();
  }
  return {};
}

// Whether raw, its line ends read as a reader reads them (CR LF and a lone CR as LF), is
// normalised.
bool ReadsAs(const char* raw, const char* normalised) {
  for (;; ++normalised) {
    char c = *raw++;
    if (c == '\r') {
      if (*raw == '\n') ++raw;
      c = '\n';
    }
    if (c != *normalised) return false;
    if (c == '\0') return true;
  }
}

}  // namespace

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

bool TextsReadTheSame(pugi::xml_document& raw, pugi::xml_document& normalised) {
  pugi::xml_node a = raw.first_child();
  pugi::xml_node b = normalised.first_child();
  for (; a && b; a = NextInOrder(a), b = NextInOrder(b)) {
    if (a.type() == pugi::node_pcdata && !ReadsAs(a.value(), b.value())) return false;
  }
  return !a && !b;
}

const char* FirstLineEnd(const std::string& bytes, pugi::xml_encoding encoding) {
  return FirstLineEndIn(bytes, CodeUnits(encoding));
}

std::string WithLineEnds(pugi::xml_document& document, unsigned flags, pugi::xml_encoding encoding,
                         const char* lineEnd) {
  BytesWriter writer;
  document.save(writer, "", flags, encoding);
  const CodeUnits units(encoding);
  LineEndWriter lineEnds(units, lineEnd, DoctypeSizes(document, flags, encoding));
  return lineEnds.Write(writer.bytes);
}

}  // namespace pendant
