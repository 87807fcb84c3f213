// A stand-in for the CNC host: it hands the plug-in its callbacks, state blocks and window the
// way the real host does, records every effect the plug-in has on it, and holds the DROs and
// LEDs that a script or test sets.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/host_interface.h"
#include "host/host_string_object.h"
#include "plugin/window_port.h"

namespace pendant::bench {

struct HostEffect {
  enum class Kind { Button, Code, SetDro, Message };
  Kind kind;
  int number = 0;
  double value = 0.0;
  std::string text;

  // One line as transcripts and expectations write it: "button 1021", "code G90",
  // "setdro 821 100", "message  Jog OFF. ".
  std::string ToString() const;
  bool operator==(const HostEffect&) const = default;
};

// What a host with a machine does with the plug-in's buttons, lines and DRO writes.
class HostReactions {
 public:
  virtual ~HostReactions() = default;
  virtual void OnButton(int code) = 0;
  virtual void OnCode(const std::string& line) = 0;
  virtual void OnSetDro(int dro, double value) = 0;
};

// One GetDRO or GetLED call of the plug-in: "GetDRO 22", "GetLED 805".
struct HostRead {
  bool led = false;
  int number = 0;
  std::string ToString() const;
  bool operator==(const HostRead&) const = default;
};

class SubstituteHost {
 public:
  // The callbacks are plain function pointers, so they reach the one host through this.
  static SubstituteHost& Instance();

  // Back to a fresh host: no effects, DROs and LEDs zero, blocks zeroed, a new host window;
  // onEffect stays.
  void Reset();

  // Hands over the six callbacks, names the profile and creates the plug-in's window; returns
  // what SetProName returned.
  std::string Start(const std::string& profilePath);
  // The three steps of Start, for scripts that call them one by one.
  void HandOverCallbacks();
  std::string NameProfile(const std::string& profilePath);
  void InitControl();
  void PostInit();
  void Stop();

  // Moves a message the plug-in put on the host's message line into the effects, as the host
  // shows it and clears the line.
  void CollectMessage();

  // Keeps an effect of the plug-in and tells onEffect of it.
  void Record(const HostEffect& effect);
  std::vector<HostEffect> TakeEffects();

  // A DRO's value (0.0 when never set) and an LED's state, as the host would answer them.
  double Dro(int dro) const;
  bool Led(int led) const { return ledsOn.count(led) != 0; }

  // Told of every effect as the plug-in makes it, before the reactions: a transcript sees each
  // one in order, also those a test takes away at once.
  std::function<void(const HostEffect&)> onEffect;
  // Every effect also reaches these when set (the bench's machine).
  HostReactions* reactions = nullptr;
  // What the host does inside a callback before it returns, once the effect is recorded: a
  // real host may show a message box or run a macro there, pumping its messages.
  std::function<void(const HostEffect&)> insideCallback;
  // The plug-in's reads, kept while recordReads is on.
  bool recordReads = false;
  std::vector<HostRead> reads;

  std::map<int, double> dros;
  std::set<int> ledsOn;
  std::vector<HostEffect> effects;
  std::vector<uint8_t> blockA;
  std::vector<uint8_t> blockB;
  std::vector<uint8_t> blockC;
  // The message line block C points to: unshared, with room for any of the plug-in's texts.
  HostStringObject messageLine{HostStringObject::Layout::CountFirst, 255};
  std::array<uint8_t, kHostParentWindowSize> parentWindow{};
  NativeWindow window = nullptr;

  template <typename T>
  void Poke(std::vector<uint8_t>& block, size_t offset, T value);
  template <typename T>
  T Peek(const std::vector<uint8_t>& block, size_t offset) const;
};

}  // namespace pendant::bench

#include "bench/host/substitute_host_inl.h"
