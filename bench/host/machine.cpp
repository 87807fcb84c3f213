#include "bench/host/machine.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>

#include "host/host_at_rest.h"
#include "host/host_fields.h"
#include "host/host_numbers.h"

namespace pendant::bench {
namespace {

using namespace host_fields;

// The part program: a square of 10 units, twice round, at 600 units a minute.
constexpr const char* kProgram[] = {
    "G91 G1 F600 X10", "Y10", "X-10", "Y-10", "X10", "Y10", "X-10", "Y-10",
};
constexpr int kProgramLines = static_cast<int>(std::size(kProgram));

// Far more than any gate of the plug-in lets through; beyond it a line is refused.
constexpr size_t kQueueCapacity = 1000;

constexpr double kSpindleRpm = 2400.0;

void SetLed(SubstituteHost& host, int led, bool on) {
  if (on) {
    host.ledsOn.insert(led);
  } else {
    host.ledsOn.erase(led);
  }
}

size_t JogRecordField(int axis, JogField field) {
  return kJogRecordBase + kJogRecordStride * static_cast<size_t>(axis) + static_cast<size_t>(field);
}

// How long a move takes at its feed: the linear axes' path, or the rotary axis alone.
double MoveMs(const double (&delta)[kMachineAxes], double feedPerMinute) {
  double linear = std::hypot(delta[0], delta[1], delta[2]);
  if (linear == 0.0) linear = std::fabs(delta[3]);
  return linear / feedPerMinute * 60000.0;
}

}  // namespace

Machine::Machine(SubstituteHost& host) : host_(host) {}

void Machine::SwitchOn() {
  on_ = true;
  host_.reactions = this;
  for (int led : host_at_rest::kLedsOn) SetLed(host_, led, true);
  for (const host_at_rest::DroValue& entry : host_at_rest::kDros) {
    host_.dros[entry.dro] = entry.value;
  }
  host_at_rest::PokeBlockC(host_.blockC.data());
  for (int axis = 0; axis < kMachineAxes; ++axis) SetPosition(axis, Position(axis));
  PublishState();
}

double Machine::Position(int axis) const {
  return host_.Dro(kFirstAxisPositionDro + axis);
}

void Machine::SetPosition(int axis, double value) {
  host_.dros[kFirstAxisPositionDro + axis] = value;
}

void Machine::Note(std::string text) {
  notes_.push_back(std::move(text));
}

bool Machine::Stopped() const {
  return host_.Led(kEmergencyStopLed);
}

void Machine::OnSetDro(int dro, double value) {
  // The plug-in's step size becomes the host's jog step distance.
  if (dro == kJogStepSizeDro) host_.Poke<double>(host_.blockC, kJogStepDistance, value);
}

void Machine::OnCode(const std::string& text) {
  if (text == "DOJOG") {
    StartJogs();
    return;
  }
  if (text == "ENDJOG") {
    StopJogs();
    return;
  }
  const GcodeLine line = ReadGcodeLine(text);
  if (!line.Readable()) {
    Note("refused \"" + text + "\": " + line.problem);
    return;
  }
  if (line.macro) Note("ran macro M" + std::to_string(*line.macro));
  Queue(line, text, false);
}

void Machine::Queue(const GcodeLine& line, const std::string& text, bool fromProgram) {
  if (line.relative) relative_ = *line.relative;
  if (line.feed) modalFeed_ = *line.feed;
  if (!line.Moves()) return;
  if (Stopped()) {
    Note("refused \"" + text + "\": the emergency stop is on");
    return;
  }
  if (queue_.size() >= kQueueCapacity) {
    Note("refused \"" + text + "\": the motion queue is full");
    return;
  }
  Move move;
  move.fromProgram = fromProgram;
  // G0 runs at the fastest feed of the machine's axes.
  move.feed = line.rapid ? host_at_rest::kFeedBase[0] * 60.0 : modalFeed_;
  if (move.feed <= 0.0) {
    Note("refused \"" + text + "\": no feed given");
    return;
  }
  for (int axis = 0; axis < kMachineAxes; ++axis) {
    if (!line.axis[axis]) continue;
    double planned = Position(axis);
    for (const Move& queued : queue_) planned += queued.delta[axis] * (1.0 - queued.done);
    move.delta[axis] = relative_ ? *line.axis[axis] : *line.axis[axis] - planned;
  }
  queue_.push_back(move);
  ++movesQueued_;
  PublishState();
}

void Machine::StartJogs() {
  if (Stopped()) {
    Note("refused \"DOJOG\": the emergency stop is on");
    return;
  }
  if (!host_.Led(kJogEnabledLed)) {
    Note("refused \"DOJOG\": jogging is off");
    return;
  }
  for (int axis = 0; axis < kMachineAxes; ++axis) {
    const auto stop = host_.Peek<uint8_t>(host_.blockA, JogRecordField(axis, JogField::Stop));
    const auto go = host_.Peek<uint8_t>(host_.blockA, JogRecordField(axis, JogField::Go));
    if (stop != 0 || go == 0) continue;
    const auto velocity =
        host_.Peek<int32_t>(host_.blockA, JogRecordField(axis, JogField::Velocity));
    const auto full = host_.Peek<int32_t>(host_.blockA, JogRecordField(axis, JogField::FullSpeed));
    const auto direction =
        host_.Peek<int32_t>(host_.blockA, JogRecordField(axis, JogField::Direction));
    const double feedBase =
        host_.Peek<double>(host_.blockC, kAxisFeedBase + 8 * static_cast<size_t>(axis));
    const double fraction = full > 0 ? std::clamp(double(velocity) / full, 0.0, 1.0) : 0.0;
    jogSpeed_[axis] = fraction * feedBase * (direction == 1 ? -1.0 : 1.0);
  }
}

void Machine::StopJogs() {
  std::fill(std::begin(jogSpeed_), std::end(jogSpeed_), 0.0);
}

void Machine::ClearQueue() {
  queue_.clear();
  movesDone_ = movesQueued_;
  PublishState();
}

void Machine::EmergencyStop() {
  StopJogs();
  SetLed(host_, kProgramRunningLed, false);
  SetLed(host_, kProgramPausedLed, false);
  SetLed(host_, kSpindleOnLed, false);
  ClearQueue();
}

void Machine::StartProgram() {
  if (Stopped()) {
    Note("refused program start: the emergency stop is on");
    return;
  }
  const bool resuming = host_.Led(kProgramPausedLed);
  SetLed(host_, kProgramPausedLed, false);
  SetLed(host_, kProgramRunningLed, true);
  if (resuming) return;
  if (programLine_ >= kProgramLines) programLine_ = 0;
  QueueProgramLine();
}

void Machine::QueueProgramLine() {
  const char* text = kProgram[programLine_];
  ++programLine_;
  host_.dros[kProgramLineDro] = programLine_;
  Queue(ReadGcodeLine(text), text, true);
}

void Machine::ProgramMoveDone() {
  if (programLine_ < kProgramLines) {
    QueueProgramLine();
  } else {
    SetLed(host_, kProgramRunningLed, false);
    Note("program finished");
  }
}

void Machine::AdvanceTo(int64_t timeMs) {
  const double ms = static_cast<double>(timeMs - nowMs_);
  nowMs_ = timeMs;
  if (!on_ || ms <= 0.0) return;
  if (Stopped()) {
    EmergencyStop();
    return;
  }
  RunJogs(ms);
  // A paused program holds the motion where it is.
  if (!host_.Led(kProgramPausedLed)) RunMoves(ms);
  PublishState();
}

void Machine::RunJogs(double ms) {
  for (int axis = 0; axis < kMachineAxes; ++axis) {
    if (host_.Peek<uint8_t>(host_.blockA, JogRecordField(axis, JogField::Stop)) != 0) {
      jogSpeed_[axis] = 0.0;
    }
    if (jogSpeed_[axis] != 0.0) SetPosition(axis, Position(axis) + jogSpeed_[axis] * ms / 1000.0);
  }
}

void Machine::RunMoves(double ms) {
  const double overridePercent = host_.Dro(kFeedOverrideDro);
  const double scale =
      std::isfinite(overridePercent) && overridePercent > 0.0 ? overridePercent / 100.0 : 0.0;
  while (ms > 0.0 && !queue_.empty() && scale > 0.0) {
    Move& move = queue_.front();
    if (!move.started) {
      for (int axis = 0; axis < kMachineAxes; ++axis) move.start[axis] = Position(axis);
      move.started = true;
    }
    const double totalMs = MoveMs(move.delta, move.feed * scale);
    const double leftMs = totalMs * (1.0 - move.done);
    const double stepMs = std::min(ms, leftMs);
    ms -= stepMs;
    // Positions follow from the start, so a finished move lands exactly on its target.
    move.done = stepMs < leftMs && totalMs > 0.0 ? move.done + stepMs / totalMs : 1.0;
    for (int axis = 0; axis < kMachineAxes; ++axis) {
      if (move.delta[axis] != 0.0)
        SetPosition(axis, move.start[axis] + move.delta[axis] * move.done);
    }
    if (move.done < 1.0) break;
    const bool fromProgram = move.fromProgram;
    queue_.pop_front();
    ++movesDone_;
    if (fromProgram && host_.Led(kProgramRunningLed)) ProgramMoveDone();
  }
}

void Machine::PublishState() {
  // The first queue's indices are equal when it is empty; DRO 22 counts the moves in it.
  host_.Poke<int32_t>(host_.blockA, kQueueAHead, movesDone_);
  host_.Poke<int32_t>(host_.blockA, kQueueATail, movesQueued_);
  host_.dros[kStepGateLowDro] = static_cast<double>(queue_.size());
  host_.dros[kFeedRateDro] = queue_.empty() ? 0.0 : queue_.front().feed;
  const bool spindle = host_.Led(kSpindleOnLed);
  host_.dros[kSpindleRpmDro] = spindle ? kSpindleRpm : 0.0;
  host_.dros[kSpindleSpeedDro] =
      spindle ? kSpindleRpm * host_.Dro(kSpindleOverrideDro) / 100.0 : 0.0;
}

}  // namespace pendant::bench
