// The XML document on the virtual platform: pugixml.
#include <pugixml.hpp>

#include "settings/xml_document.h"

namespace pendant {
namespace {

pugi::xml_node NodeOf(void* node) {
  return pugi::xml_node(static_cast<pugi::xml_node_struct*>(node));
}

}  // namespace

struct XmlDocument::Impl {
  pugi::xml_document document;
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
  // Default parsing expands no external entities: nothing beyond the file is read.
  if (impl_->document.load_file(path.c_str())) return true;
  impl_->document.reset();
  return false;
}

bool XmlDocument::Save(const std::string& path) {
  return impl_->document.save_file(path.c_str(), "  ");
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
  return XmlElement(NodeOf(parent.node_).append_child(name).internal_object());
}

std::string XmlDocument::Text(const XmlElement& element) {
  if (!element) return {};
  return NodeOf(element.node_).text().get();
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
