// A substitute host for the real DLL: its main window, the plug-in loaded afresh for each test
// and driven only through its exports, with the blocks, window object and profile file a host
// hands over.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "check/plugin_library.h"
#include "tests/win32/host_window.h"

namespace pendant::test {

// How many callbacks the plug-in has made since they were last handed over.
int CallbackCalls();

class SubstituteHost : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The six callback setters, with callbacks that only count.
  void HandOverCallbacks();
  const char* SetProName();
  // InitControl with freshly allocated host blocks; the pendant window it made, if any.
  HWND InitControl();
  // The start-up sequence of a host: callbacks, profile name, window, settings load.
  HWND StartPlugin();

  HostBlocks& Blocks() { return blocks_; }

  HostWindow host_;
  PluginLibrary plugin_;
  std::string profilePath_;
  bool initResult_ = false;

 private:
  HostBlocks blocks_{host_.Handle()};
};

}  // namespace pendant::test
