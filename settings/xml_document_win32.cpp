// The XML document on Windows: the platform's DOM document through COM (MSXML).
#include <windows.h>

#include <msxml.h>
#include <objbase.h>
#include <oleauto.h>

#include <climits>

#include "settings/xml_document.h"

namespace pendant {
namespace {

// The version-independent DOM document and its interface; mingw's import libraries lack them.
constexpr GUID kDomDocumentClass = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr GUID kDomDocumentInterface = {
    0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// Owns one reference to a COM object.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (object_) object_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  T** Out() { return &object_; }
  T* operator->() const { return object_; }
  T* Get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_ = nullptr;
};

// Owns a BSTR made from 8-bit text in the thread's ANSI code page.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::string& text) {
    const int length = text.size() > INT_MAX ? 0 : static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    value_ = SysAllocStringLen(nullptr, static_cast<UINT>(wide));
    if (value_ && wide > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, value_, wide);
  }
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR* Out() { return &value_; }
  BSTR Get() const { return value_; }

  std::string Narrow() const {
    const int wide = static_cast<int>(SysStringLen(value_));
    if (wide == 0) return {};
    const int length = WideCharToMultiByte(CP_ACP, 0, value_, wide, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
      WideCharToMultiByte(CP_ACP, 0, value_, wide, text.data(), length, nullptr, nullptr);
    }
    return text;
  }

 private:
  BSTR value_ = nullptr;
};

// The largest profile read: far above any host's, it keeps a stray file from exhausting memory.
constexpr DWORD kMaxProfileBytes = 64u << 20;

// A stream over bytes in memory, as the document's load and save take it: handing the service
// a path would make it a URL, and a '#' or '%' in the path would then not name the file.
struct StreamVariant {
  explicit StreamVariant(IStream* stream) {
    VariantInit(&value);
    V_VT(&value) = VT_UNKNOWN;
    V_UNKNOWN(&value) = stream;  // borrowed: the ComRef owns it
  }
  VARIANT value;
};

bool ReadWholeFile(const std::string& path, ComRef<IStream>& stream) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD size = GetFileSize(file, nullptr);
  bool read = false;
  HGLOBAL memory = size == INVALID_FILE_SIZE || size == 0 || size > kMaxProfileBytes
                       ? nullptr
                       : GlobalAlloc(GMEM_MOVEABLE, size);
  if (memory) {
    DWORD got = 0;
    void* bytes = GlobalLock(memory);
    read = bytes && ReadFile(file, bytes, size, &got, nullptr) && got == size;
    GlobalUnlock(memory);
    // The stream owns the memory from here on, also when it cannot be made.
    read = read && SUCCEEDED(CreateStreamOnHGlobal(memory, TRUE, stream.Out()));
    if (!stream) GlobalFree(memory);
  }
  CloseHandle(file);
  return read;
}

// Writes the stream's bytes to path and flushes them to the disk before returning.
bool WriteWholeFile(IStream* stream, const std::string& path) {
  STATSTG stat{};
  HGLOBAL memory = nullptr;
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart > kMaxProfileBytes ||
      FAILED(GetHGlobalFromStream(stream, &memory))) {
    return false;
  }
  const auto size = static_cast<DWORD>(stat.cbSize.QuadPart);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const void* bytes = GlobalLock(memory);
  bool saved = bytes && WriteFile(file, bytes, size, &written, nullptr) && written == size;
  GlobalUnlock(memory);
  // A save is durable only once its bytes are on the disk, before the file replaces the profile.
  saved = saved && FlushFileBuffers(file);
  return CloseHandle(file) && saved;
}

IXMLDOMNode* NodeOf(void* node) {
  return static_cast<IXMLDOMNode*>(node);
}

}  // namespace

struct XmlDocument::Impl {
  bool ownsApartment = false;
  IXMLDOMDocument* document = nullptr;

  Impl() {
    const HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ownsApartment = joined == S_OK || joined == S_FALSE;
    if (FAILED(CoCreateInstance(kDomDocumentClass, nullptr, CLSCTX_INPROC_SERVER,
                                kDomDocumentInterface, reinterpret_cast<void**>(&document)))) {
      document = nullptr;
      return;
    }
    // Load the file alone: no waiting, no external entities or DTDs, no validation.
    document->put_async(VARIANT_FALSE);
    document->put_resolveExternals(VARIANT_FALSE);
    document->put_validateOnParse(VARIANT_FALSE);
    // Texts keep their blanks, and the host's indentation survives a save.
    document->put_preserveWhiteSpace(VARIANT_TRUE);
  }

  ~Impl() {
    if (document) document->Release();
    if (ownsApartment) CoUninitialize();
  }

  // Appends a new element to parent; the result holds one reference.
  IXMLDOMNode* AppendNew(IXMLDOMNode* parent, const char* name) const {
    ComRef<IXMLDOMElement> element;
    if (FAILED(document->createElement(Bstr(name).Get(), element.Out())) || !element) {
      return nullptr;
    }
    IXMLDOMNode* appended = nullptr;
    if (FAILED(parent->appendChild(element.Get(), &appended))) return nullptr;
    return appended;
  }
};

XmlElement::~XmlElement() {
  if (node_) NodeOf(node_)->Release();
}

XmlElement::XmlElement(XmlElement&& other) noexcept : node_(other.node_) {
  other.node_ = nullptr;
}

XmlElement& XmlElement::operator=(XmlElement&& other) noexcept {
  if (this != &other) {
    if (node_) NodeOf(node_)->Release();
    node_ = other.node_;
    other.node_ = nullptr;
  }
  return *this;
}

XmlDocument::XmlDocument() : impl_(std::make_unique<Impl>()) {}
XmlDocument::~XmlDocument() = default;

bool XmlDocument::Available() const {
  return impl_->document != nullptr;
}

bool XmlDocument::Load(const std::string& path) {
  ComRef<IStream> stream;
  if (!Available() || !ReadWholeFile(path, stream)) return false;
  VARIANT_BOOL loaded = VARIANT_FALSE;
  if (FAILED(impl_->document->load(StreamVariant(stream.Get()).value, &loaded))) return false;
  return loaded == VARIANT_TRUE;
}

bool XmlDocument::Save(const std::string& path) {
  ComRef<IStream> stream;
  if (!Available() || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out()))) return false;
  return SUCCEEDED(impl_->document->save(StreamVariant(stream.Get()).value)) &&
         WriteWholeFile(stream.Get(), path);
}

XmlElement XmlDocument::DocumentElement() {
  if (!Available()) return {};
  IXMLDOMElement* root = nullptr;
  if (impl_->document->get_documentElement(&root) != S_OK || !root) return {};
  return XmlElement(static_cast<IXMLDOMNode*>(root));
}

XmlElement XmlDocument::AppendDocumentElement(const char* name) {
  if (!Available()) return {};
  return XmlElement(impl_->AppendNew(impl_->document, name));
}

XmlElement XmlDocument::FirstChild(const XmlElement& parent, const char* name) {
  if (!parent || !Available()) return {};
  IXMLDOMNode* child = nullptr;
  if (NodeOf(parent.node_)->selectSingleNode(Bstr(name).Get(), &child) != S_OK) return {};
  return XmlElement(child);
}

XmlElement XmlDocument::AppendChild(const XmlElement& parent, const char* name) {
  if (!parent || !Available()) return {};
  return XmlElement(impl_->AppendNew(NodeOf(parent.node_), name));
}

std::string XmlDocument::Text(const XmlElement& element) {
  if (!element) return {};
  Bstr text;
  if (FAILED(NodeOf(element.node_)->get_text(text.Out()))) return {};
  return text.Narrow();
}

void XmlDocument::SetText(const XmlElement& element, const std::string& text) {
  if (element) NodeOf(element.node_)->put_text(Bstr(text).Get());
}

void XmlDocument::Remove(XmlElement& element) {
  if (!element) return;
  IXMLDOMNode* node = NodeOf(element.node_);
  ComRef<IXMLDOMNode> parent;
  if (node->get_parentNode(parent.Out()) == S_OK && parent) {
    ComRef<IXMLDOMNode> removed;
    parent->removeChild(node, removed.Out());
  }
  element = XmlElement();
}

}  // namespace pendant
