// Test stand-in for hid.dll: the attributes and capabilities of the interfaces the test listed
// (standin_bus.h). A handle is matched to its interface by the name of the pipe it is open on.
#include <windows.h>

#include <cstring>
#include <cwchar>

extern "C" {
#include <hidsdi.h>

#include <hidpi.h>
}

#include "tests/win32/standins/standin_bus.h"

using pendant::standin::Bus;
using pendant::standin::Interface;
using pendant::standin::ReadBus;

namespace {

// {4D1E55B2-F16F-11CF-88CB-001111000030}, the HID interface class.
constexpr GUID kHidClass = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

// The last component of a path, lower case: "pendant-12-0" of \\.\pipe\Pendant-12-0.
void PipeNameOf(const char* path, char (&name)[pendant::standin::kPathCapacity]) {
  const char* last = std::strrchr(path, '\\');
  const char* start = last ? last + 1 : path;
  size_t i = 0;
  for (; start[i] && i + 1 < sizeof name; ++i) {
    const char c = start[i];
    name[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
  }
  name[i] = '\0';
}

// The listed interface whose pipe handle is open on; false when none is.
bool InterfaceOf(HANDLE handle, Interface& found) {
  alignas(FILE_NAME_INFO) char storage[sizeof(FILE_NAME_INFO) + 2 * MAX_PATH] = {};
  auto* info = reinterpret_cast<FILE_NAME_INFO*>(storage);
  if (!GetFileInformationByHandleEx(handle, FileNameInfo, info, sizeof storage - sizeof(WCHAR))) {
    return false;
  }
  char opened[MAX_PATH] = {};
  const int length = WideCharToMultiByte(CP_ACP, 0, info->FileName,
                                         static_cast<int>(info->FileNameLength / sizeof(WCHAR)),
                                         opened, sizeof opened - 1, nullptr, nullptr);
  if (length <= 0) return false;
  char openedName[pendant::standin::kPathCapacity];
  PipeNameOf(opened, openedName);
  const Bus bus = ReadBus();
  for (unsigned i = 0; i < bus.count; ++i) {
    char listedName[pendant::standin::kPathCapacity];
    PipeNameOf(bus.interfaces[i].path, listedName);
    if (std::strcmp(listedName, openedName) == 0) {
      found = bus.interfaces[i];
      return true;
    }
  }
  return false;
}

// What HidD_GetPreparsedData hands out: the lengths HidP_GetCaps states.
struct Preparsed {
  static constexpr uint32_t kMark = 0x50524550;  // "PREP"
  uint32_t mark;
  uint16_t inputLength;
  uint16_t outputLength;
};

}  // namespace

extern "C" {

void NTAPI HidD_GetHidGuid(LPGUID hidGuid) {
  if (hidGuid) *hidGuid = kHidClass;
}

BOOLEAN NTAPI HidD_GetAttributes(HANDLE device, PHIDD_ATTRIBUTES attributes) {
  Interface found{};
  if (!attributes || !InterfaceOf(device, found)) return FALSE;
  attributes->Size = sizeof *attributes;
  attributes->VendorID = found.vendorId;
  attributes->ProductID = found.productId;
  attributes->VersionNumber = 0x0100;
  return TRUE;
}

BOOLEAN NTAPI HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* preparsed) {
  Interface found{};
  if (!preparsed || !InterfaceOf(device, found)) return FALSE;
  *preparsed = reinterpret_cast<PHIDP_PREPARSED_DATA>(
      new Preparsed{Preparsed::kMark, found.inputLength, found.outputLength});
  return TRUE;
}

BOOLEAN NTAPI HidD_FreePreparsedData(PHIDP_PREPARSED_DATA preparsed) {
  auto* data = reinterpret_cast<Preparsed*>(preparsed);
  if (!data || data->mark != Preparsed::kMark) return FALSE;
  data->mark = 0;
  delete data;
  return TRUE;
}

NTSTATUS NTAPI HidP_GetCaps(PHIDP_PREPARSED_DATA preparsed, PHIDP_CAPS caps) {
  const auto* data = reinterpret_cast<const Preparsed*>(preparsed);
  if (!data || data->mark != Preparsed::kMark || !caps) return HIDP_STATUS_INVALID_PREPARSED_DATA;
  std::memset(caps, 0, sizeof *caps);
  caps->UsagePage = 0xFF00;  // vendor-defined, as the pendant's
  caps->Usage = 0x01;
  caps->InputReportByteLength = data->inputLength;
  caps->OutputReportByteLength = data->outputLength;
  return HIDP_STATUS_SUCCESS;
}

}  // extern "C"
