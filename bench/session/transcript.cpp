#include "bench/session/transcript.h"

#include <cstdio>
#include <string_view>

#include "bench/session/text_escape.h"
#include "platform/virtual_desktop.h"

namespace pendant::bench {
namespace {

constexpr size_t kTimeColumns = 12;  // "%8.3f s  "
constexpr std::string_view kDisplayLabel = "  display ";

}  // namespace

Transcript::Transcript(std::ostream& out, BenchSession& session, DisplayReports displayReports)
    : out_(out),
      session_(session),
      displayReports_(displayReports),
      startMs_(VirtualDesktop::Instance().NowMs()) {
  session.host.onEffect = [this](const HostEffect& effect) {
    Line("  host: " + effect.ToString());
  };
}

Transcript::~Transcript() {
  session_.host.onEffect = nullptr;
}

void Transcript::Line(const std::string& text) {
  LineAt(VirtualDesktop::Instance().NowMs(), text);
}

void Transcript::LineAt(int64_t timeMs, const std::string& text) {
  char time[32];
  const double seconds = static_cast<double>(timeMs - startMs_) / 1000;
  std::snprintf(time, sizeof time, "%8.3f s  ", seconds);
  out_ << time << Showable(text) << '\n';
}

void Transcript::Command(const std::string& source) {
  Line("> " + source);
}

void Transcript::CommandAt(int64_t timeMs, const std::string& source) {
  LineAt(timeMs, "> " + source);
}

void Transcript::Narrate(const std::string& text) {
  out_ << "\n  " << Showable(text) << '\n';
}

void Transcript::Note(const std::string& text) {
  Line("  " + text);
}

void Transcript::CatchUp() {
  const auto& notes = session_.machine.Notes();
  for (; notesShown_ < notes.size(); ++notesShown_) Line("  machine: " + notes[notesShown_]);
  const std::vector<uint8_t>* report =
      displayReports_ == DisplayReports::Take ? session_.display.Last() : session_.display.Peek();
  if (!report) return;
  const DisplayText text = TextOfReport(*report);
  if (displayShown_ != text) DrawDisplay(text);
}

void Transcript::DrawDisplay(const DisplayText& text) {
  displayShown_ = text;
  const std::string indent(kTimeColumns + kDisplayLabel.size(), ' ');
  Line(std::string(kDisplayLabel) + "+--------+");
  out_ << indent << '|' << Printable(text.line1) << "|\n";
  out_ << indent << '|' << Printable(text.line2) << "|\n";
  out_ << indent << "+--------+\n";
}

}  // namespace pendant::bench
