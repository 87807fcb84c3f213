// The pendant window: a hidden child of the host's window whose 25 ms timer runs the poll cycle
// and whose device notices close and reopen the pendant. It owns the device link, the report
// buffers and the pendant state shared by decoding, the action engine and the display.
#pragma once

#include <cstdint>
#include <string>

#include "device/hid_port.h"
#include "display/display_state.h"
#include "input/input_state.h"
#include "input/percentage_adjust.h"
#include "plugin/window_port.h"

namespace pendant {

class PluginModule;

inline constexpr size_t kDisplayReportSize = kOutputReportSize;
inline constexpr unsigned kPollTimerId = 1;
inline constexpr unsigned kPollIntervalMs = 25;
inline constexpr unsigned kReadWaitMs = 5;

class TrundleWin final : public WindowEvents, public InputState, public DisplayState {
 public:
  explicit TrundleWin(PluginModule& module);
  // Ends a wheel jog under way, closes the pendant's handles, then destroys the window (which
  // ends its timer).
  ~TrundleWin();
  TrundleWin(const TrundleWin&) = delete;
  TrundleWin& operator=(const TrundleWin&) = delete;

  // Creates the hidden 10x10 child window, id 1, under parent; false when that fails.
  bool Create(NativeWindow parent);
  NativeWindow Window() const { return window_; }

  bool OnTimer() override { return PollCycle(); }
  void OnDeviceChange(uintptr_t event, const void* data) override {
    DeviceChangeHandler(event, data);
  }

  // Device link.
  bool FindPendant();
  void RegisterArrivalNotice();
  // Always reports the notice as handled.
  bool DeviceChangeHandler(uintptr_t event, const void* data);
  // Ends a velocity or continuous jog still under way: its axis stops and the host hears
  // "ENDJOG". Nothing when no jog is under way.
  void EndActiveWheelJog();

  // One timer tick; returns whether the tick goes on to default processing.
  bool PollCycle();
  void ComposeDisplay();

  // Input decoding.
  void DecodeInput();
  void HandleStopSwitch();
  void SelectJogModeFromSelectors();
  void SelectAxis();
  void ProcessWheel();
  void HandleScreenKey();

  // The action engine, once per cycle with this cycle's wheel counts.
  void RunWheelAction(int32_t direction, int32_t steps);
  void StepJog(int32_t direction, int32_t steps);
  void VelocityJog(int32_t direction, int32_t steps);
  void ContinuousJog(int32_t direction, int32_t steps);
  void AdjustValue(int32_t direction, int32_t steps);
  void RunKeyAction();

  PluginModule& Module() const { return module_; }

  int32_t WheelLast = 0;
  int32_t AxisIndex = 0;
  std::string DevicePath;
  bool HostReady = true;
  int32_t AxisSelectorLast = 1;
  int32_t JogMode = 1;
  bool StopLatched = false;
  bool StopReleased = false;
  int32_t PressLatched = 0;
  int32_t StepIndex = 1;
  int32_t ScreenIndex = 1;
  int32_t ScreenCode1 = 1;
  int32_t ScreenCode2 = 1;
  int32_t ScreenCode3 = 1;
  bool OverrideSaved = false;
  double CountHistory[2] = {0.0, 0.0};
  double JogFeedFactor = 0.0;
  int32_t DisplayCycle = 0;
  bool JogStarted = false;
  bool JogModeSwitched = false;
  int32_t ExtendedSelector = 0;
  uint8_t CurrentInput[kInputReportSize] = {};
  DeviceHandle ProbeHandle = kInvalidDevice;
  HidReader Reader;  // the read event and the overlapped read in flight
  HidWriter Writer;  // the overlapped write in flight
  uint8_t InputBuffer[kInputReportSize] = {};
  bool DeviceOpen = false;
  std::string NotifyPath;
  uint8_t DisplayBuffer[kDisplayReportSize] = {};
  DeviceHandle ReadHandle = kInvalidDevice;
  DeviceHandle WriteHandle = kInvalidDevice;

 private:
  // Enumerates the HID interfaces and opens the first pendant among them.
  void DiscoverPendant();
  // Opens DevicePath for reading and writing; the pendant counts as open when either opened.
  void OpenPendantHandles();
  void ClosePendantHandles();

  // Jog engine pieces shared by the jogging modes.
  bool MotionAllowed() const;
  bool NoCountsInTwoCycles(int32_t steps);
  void StopAxisJog();
  void EndJogOfAxis(int32_t axis);
  void EndWheelJog();
  void WheelJogStep(double speed, int32_t direction);
  void StraightStepMove(const char* axisLetter, int32_t direction, int32_t steps);
  void RotatedStepMove(int32_t direction, int32_t steps);

  // Key actions and value adjustments.
  void RunConfirmedAction();
  void RunFunctionButton(int button);
  void AdjustHostPercentage(int dro, PercentageLimits limits, int32_t direction, int32_t steps);
  void SelectStepSize();

  PluginModule& module_;
  NativeWindow window_ = nullptr;
};

}  // namespace pendant
