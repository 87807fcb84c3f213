// The platform's XML document service, reduced to what the profile store needs: a DOM
// document (MSXML through COM in the DLL, pugixml natively) with elements as opaque handles.
#pragma once

#include <memory>
#include <string>

namespace pendant {

class XmlDocument;

// A reference to one element of a document; empty when a lookup found nothing. Valid only
// while its document lives.
class XmlElement {
 public:
  XmlElement() = default;
  ~XmlElement();
  XmlElement(XmlElement&& other) noexcept;
  XmlElement& operator=(XmlElement&& other) noexcept;
  XmlElement(const XmlElement&) = delete;
  XmlElement& operator=(const XmlElement&) = delete;

  explicit operator bool() const { return node_ != nullptr; }

 private:
  friend class XmlDocument;
  explicit XmlElement(void* node) : node_(node) {}
  void* node_ = nullptr;
};

class XmlDocument {
 public:
  XmlDocument();
  ~XmlDocument();
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  // Whether the platform's document service could be created; without it every lookup finds
  // nothing and every change is dropped.
  bool Available() const;
  // Loads the file; false when it cannot be read or parsed (the document is then empty).
  // Never reaches out to other files or the network.
  bool Load(const std::string& path);
  bool Save(const std::string& path);

  XmlElement DocumentElement();
  // Creates the document element; only for a document that has none.
  XmlElement AppendDocumentElement(const char* name);
  // The first child element of parent with the given plain name.
  XmlElement FirstChild(const XmlElement& parent, const char* name);
  // Appends a new element after parent's existing children.
  XmlElement AppendChild(const XmlElement& parent, const char* name);
  // Text content, converted to and from the plug-in's 8-bit text.
  std::string Text(const XmlElement& element);
  void SetText(const XmlElement& element, const std::string& text);
  // Removes element from its parent and empties the handle.
  void Remove(XmlElement& element);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace pendant
