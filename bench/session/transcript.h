// The readable record of a bench session: the script's commands as they run, every host effect
// at the virtual time it happens, and the pendant's display drawn as a box whenever the
// plug-in writes different text to it.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "bench/session/bench_session.h"
#include "bench/session/display_text.h"

namespace pendant::bench {

class Transcript {
 public:
  // Whether drawing the display takes the plug-in's reports off the virtual bus (a script's
  // transcript, so a session of any length holds one) or leaves them for a test that reads them.
  enum class DisplayReports { Take, Leave };

  // Times are shown from the moment of construction. The transcript is told of the host's
  // effects as they happen, until it is destroyed.
  Transcript(std::ostream& out, BenchSession& session,
             DisplayReports displayReports = DisplayReports::Take);
  ~Transcript();
  Transcript(const Transcript&) = delete;
  Transcript& operator=(const Transcript&) = delete;

  void Command(const std::string& source);
  // A command stamped with an earlier virtual time: one whose length is known only once it is
  // over, as a wait in the interactive mode.
  void CommandAt(int64_t timeMs, const std::string& source);
  void Narrate(const std::string& text);
  void Note(const std::string& text);
  // Shows what the machine did and the display change that happened since the last call.
  void CatchUp();

 private:
  void Line(const std::string& text);
  void LineAt(int64_t timeMs, const std::string& text);
  void DrawDisplay(const DisplayText& text);

  std::ostream& out_;
  BenchSession& session_;
  DisplayReports displayReports_;
  int64_t startMs_;
  size_t notesShown_ = 0;
  std::optional<DisplayText> displayShown_;
};

}  // namespace pendant::bench
