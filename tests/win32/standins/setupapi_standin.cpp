// Test stand-in for setupapi.dll: the device-interface enumeration over the interfaces the test
// listed (standin_bus.h). A device information set is a snapshot taken when it is opened, as the
// system's is.
#define _SETUPAPI_
#include <windows.h>

#include <setupapi.h>

#include <cstddef>
#include <cstring>

#include "tests/win32/standins/standin_bus.h"

using pendant::standin::Bus;
using pendant::standin::ReadBus;

namespace {

Bus* SetOf(HDEVINFO set) {
  return set == INVALID_HANDLE_VALUE ? nullptr : static_cast<Bus*>(set);
}

}  // namespace

extern "C" {

HDEVINFO WINAPI SetupDiGetClassDevsA(const GUID*, PCSTR, HWND, DWORD flags) {
  if (!(flags & DIGCF_DEVICEINTERFACE)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return INVALID_HANDLE_VALUE;
  }
  return new Bus(ReadBus());
}

BOOL WINAPI SetupDiDestroyDeviceInfoList(HDEVINFO set) {
  Bus* bus = SetOf(set);
  if (!bus) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  delete bus;
  return TRUE;
}

BOOL WINAPI SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA, const GUID* interfaceClass,
                                        DWORD index, PSP_DEVICE_INTERFACE_DATA data) {
  const Bus* bus = SetOf(set);
  if (!bus || !interfaceClass || !data || data->cbSize != sizeof *data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (index >= bus->count) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
  }
  data->InterfaceClassGuid = *interfaceClass;
  data->Flags = SPINT_ACTIVE;
  data->Reserved = index;
  return TRUE;
}

BOOL WINAPI SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                             PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                             DWORD detailSize, PDWORD requiredSize,
                                             PSP_DEVINFO_DATA) {
  const Bus* bus = SetOf(set);
  if (!bus || !data || data->Reserved >= bus->count) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const char* path = bus->interfaces[data->Reserved].path;
  const DWORD required = static_cast<DWORD>(
      offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + std::strlen(path) + 1);
  if (requiredSize) *requiredSize = required;
  if (!detail || detailSize < required) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  // The system checks the size of the record's fixed part, which callers often get wrong.
  if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
    SetLastError(ERROR_INVALID_USER_BUFFER);
    return FALSE;
  }
  std::memcpy(detail->DevicePath, path, std::strlen(path) + 1);
  return TRUE;
}

}  // extern "C"
