// Draws the settings dialog into a bitmap file: loads the DLL beside this program, starts it on
// a profile with a few settings, opens the dialog through Config, copies the dialog's part of
// the screen and cancels it. Run inside Wine's virtual desktop so that the caption is drawn.
// Usage: dialog_screenshot OUTPUT.bmp
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "check/plugin_library.h"
#include "tests/win32/dialog_driver.h"
#include "tests/win32/host_window.h"
#include "tests/win32/test_files.h"

namespace pendant::test {
namespace {

constexpr const char* kShowcaseProfile =
    "<profile><Qorvix_K7R_Pendant>"
    "<BUTTON0>65</BUTTON0><BUTTON1>21</BUTTON1><BUTTON2>6</BUTTON2><BUTTON3>53</BUTTON3>"
    "<F1>Safe Z</F1><F2>Flood</F2><F3>Probe</F3><F4>Zero X</F4><Macro1>31</Macro1>"
    "<S1>0.001</S1><S2>0.01</S2><S3>0.1</S3><DelaySteps>10</DelaySteps>"
    "<ScreenSel3>4</ScreenSel3><VelocityInAuto>6</VelocityInAuto>"
    "<Xreverse>1</Xreverse><DisplyRPM>1</DisplyRPM>"
    "</Qorvix_K7R_Pendant></profile>";

// The screen's pixels under a window, bottom row first, 24 bits each.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<char> pixels;

  bool operator==(const Picture&) const = default;
  bool Blank() const {
    return pixels.empty() ||
           std::all_of(pixels.begin(), pixels.end(), [&](char c) { return c == pixels[0]; });
  }
};

BITMAPINFOHEADER PictureHeader(int width, int height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  return header;
}

Picture CopyFromScreen(HWND window) {
  Picture picture;
  RECT area{};
  if (!GetWindowRect(window, &area)) return picture;
  picture.width = area.right - area.left;
  picture.height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.width, picture.height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  const bool copied =
      BitBlt(memory, 0, 0, picture.width, picture.height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFOHEADER header = PictureHeader(picture.width, picture.height);
  const size_t stride = (static_cast<size_t>(picture.width) * 3 + 3) & ~size_t{3};
  picture.pixels.resize(stride * static_cast<size_t>(picture.height));
  const int lines =
      GetDIBits(memory, bitmap, 0, static_cast<UINT>(picture.height), picture.pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!copied || lines != picture.height) picture.pixels.clear();
  return picture;
}

// The window as it settles on the screen: Wine hands a window's drawing to the X server only
// once its thread is idle, so copies are taken until two in a row agree and show something.
Picture SettledPicture(HWND window) {
  constexpr int kAttempts = 60;
  Picture previous;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    Sleep(500);
    Picture current = CopyFromScreen(window);
    if (!current.Blank() && current == previous) return current;
    previous = std::move(current);
  }
  return {};
}

bool SaveBitmap(const Picture& picture, const char* path) {
  const BITMAPINFOHEADER header = PictureHeader(picture.width, picture.height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + picture.pixels.size());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(picture.pixels.data(), static_cast<std::streamsize>(picture.pixels.size()));
  return out.good();
}

int Run(const char* picturePath) {
  HostWindow host;
  PluginLibrary plugin;
  if (!host.Handle() || !plugin.Load(DllBesideThisProgram())) {
    std::fprintf(stderr, "cannot open a window or load %s\n", DllBesideThisProgram().c_str());
    return 1;
  }
  const std::string profilePath = TempPath("showcase-profile.xml");
  WriteBytes(profilePath, kShowcaseProfile);
  plugin.SetProName(HostString{profilePath.c_str()});
  HostBlocks blocks(host.Handle());
  blocks.HandTo(plugin);
  plugin.PostInitControl();

  bool saved = false;
  HostThreadWatch watch(nullptr);
  const bool opened = RunConfigDriven(plugin, watch, [&](HWND dialog) {
    const Picture picture = SettledPicture(dialog);
    saved = !picture.Blank() && SaveBitmap(picture, picturePath);
  });
  plugin.StopPlug();
  RemoveFile(profilePath);
  if (!opened || !saved) {
    std::fprintf(stderr, opened ? "cannot save %s\n" : "no dialog opened\n", picturePath);
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace pendant::test

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dialog_screenshot OUTPUT.bmp\n");
    return 2;
  }
  return pendant::test::Run(argv[1]);
}
