// The machine behind the substitute host: four axes whose positions the host's DROs report,
// a motion queue that relative and absolute G1 lines fill, wheel jogs through the host's jog
// records, a short part program, the spindle, zeroing and the emergency stop. It answers what
// the plug-in sends the way a host with a machine would, in the bench's virtual time.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "bench/host/gcode_reader.h"
#include "bench/host/substitute_host.h"

namespace pendant::bench {

class Machine final : public HostReactions {
 public:
  explicit Machine(SubstituteHost& host);

  // Connects the machine to the host and gives every DRO, LED and field the plug-in reads a
  // believable value (jogging on, 100 % overrides, feed bases, a step of 0.001); the bench's
  // dro, led and poke commands change them afterwards.
  void SwitchOn();
  bool On() const { return on_; }

  // Moves the axes on to the given virtual time.
  void AdvanceTo(int64_t timeMs);

  void OnButton(int code) override;
  void OnCode(const std::string& line) override;
  void OnSetDro(int dro, double value) override;

  double Position(int axis) const;
  bool Jogging(int axis) const { return jogSpeed_[axis] != 0.0; }
  int QueuedMoves() const { return static_cast<int>(queue_.size()); }
  bool Flood() const { return flood_; }
  bool Mist() const { return mist_; }
  int Screen() const { return screen_; }
  bool TabScreenShown() const { return tabShown_; }

  // What the machine did that no DRO or LED shows (a refused line, an unknown button), in order.
  const std::vector<std::string>& Notes() const { return notes_; }

 private:
  struct Move {
    double start[kMachineAxes] = {};  // where the axes stood when the move began
    bool started = false;
    double delta[kMachineAxes] = {};
    double feed = 0.0;  // units per minute
    double done = 0.0;  // fraction 0..1
    bool fromProgram = false;
  };

  void Note(std::string text);
  bool Stopped() const;
  void Queue(const GcodeLine& line, const std::string& text, bool fromProgram);
  void StartJogs();
  void StopJogs();
  void ClearQueue();
  void EmergencyStop();
  void StartProgram();
  void QueueProgramLine();
  void RunMoves(double ms);
  void RunJogs(double ms);
  void ProgramMoveDone();
  void PublishState();
  void SetPosition(int axis, double value);

  SubstituteHost& host_;
  bool on_ = false;
  int64_t nowMs_ = 0;
  std::deque<Move> queue_;
  int32_t movesDone_ = 0;
  int32_t movesQueued_ = 0;
  bool relative_ = false;
  double modalFeed_ = 0.0;
  double jogSpeed_[kMachineAxes] = {};  // units per second, signed
  int programLine_ = 0;                 // the line running or last run, 1-based; 0 rewound
  bool flood_ = false;
  bool mist_ = false;
  int screen_ = 1;
  bool tabShown_ = false;
  std::vector<std::string> notes_;
};

}  // namespace pendant::bench
