// A host profile as a machine's host writes it: declaration, comments, a processing instruction,
// a doctype, attributes, CDATA, escaped text, CR LF line ends and two-space indentation, with the
// plug-in's section somewhere in the middle of many others. Deterministic for a given size.
#pragma once

#include <cstddef>
#include <string>

namespace pendant::testing {

struct HostProfile {
  std::string before;   // everything up to the plug-in's section
  std::string section;  // the plug-in's section element, indented
  std::string after;    // everything after it
  std::string Whole() const { return before + section + after; }
};

namespace host_profile_detail {

inline void AppendAxis(std::string& out, int motor) {
  static const char* const kAxes[] = {"X", "Y", "Z", "A", "B", "C"};
  const std::string n = std::to_string(motor);
  out += "  <!-- Motor " + n + ": tuned on the machine, do not copy between machines -->\r\n";
  out += "  <Motor" + n + " axis=\"" + kAxes[motor % 6] + "\" enabled=\"1\" reversed=\"0\">\r\n";
  out += "    <StepsPerUnit>" + std::to_string(400 + motor * 25) + ".000000</StepsPerUnit>\r\n";
  out += "    <Velocity>" + std::to_string(3000 - motor * 100) + ".0</Velocity>\r\n";
  out += "    <Acceleration>150.0</Acceleration>\r\n";
  out += "    <StepPin port=\"1\">" + std::to_string(2 + motor) + "</StepPin>\r\n";
  out += "    <DirPin port=\"1\">" + std::to_string(8 + motor) + "</DirPin>\r\n";
  out += "    <SoftLimits min=\"-" + std::to_string(10 + motor) + "0.0\" max=\"" +
         std::to_string(300 + motor) + ".0\"/>\r\n";
  out += "  </Motor" + n + ">\r\n";
}

inline void AppendTool(std::string& out, int tool) {
  const std::string n = std::to_string(tool);
  out += "    <Tool number=\"" + n + "\" pocket=\"" + std::to_string(tool % 24) + "\">\r\n";
  out += "      <Description>Endmill " + n + " mm &amp; chamfer &lt;45&gt;</Description>\r\n";
  out += "      <Diameter>" + std::to_string(tool % 20) + ".2500</Diameter>\r\n";
  out += "      <Length>" + std::to_string(50 + tool % 40) + ".125</Length>\r\n";
  out += "      <Wear radius=\"0.0000\" length=\"0.0000\"/>\r\n";
  out += "    </Tool>\r\n";
}

inline void AppendPluginSection(std::string& out, int plugin) {
  const std::string n = std::to_string(plugin);
  out += "  <Plugin_" + n + ">\r\n";
  out += "    <!-- written by plug-in " + n + " -->\r\n";
  out += "    <Enabled>1</Enabled>\r\n";
  out += "    <Port>COM" + std::to_string(plugin % 9 + 1) + "</Port>\r\n";
  out += "    <Script><![CDATA[if (a < b && c > d) { Run(\"" + n + "\"); }]]></Script>\r\n";
  out += "    <Empty/>\r\n";
  out += "  </Plugin_" + n + ">\r\n";
}

}  // namespace host_profile_detail

// About approximateBytes long (never shorter than the fixed head and tail).
inline HostProfile MakeHostProfile(std::size_t approximateBytes) {
  using namespace host_profile_detail;
  HostProfile profile;
  std::string& head = profile.before;
  head += "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";
  head += "<!-- Machine profile. Written by the host; edit with the host closed. -->\r\n";
  head += "<?host-editor layout=\"grouped\" revision=\"12\"?>\r\n";
  head += "<!DOCTYPE HostProfile>\r\n";
  head += "<HostProfile version=\"4.2\" machine=\"Mill 'Shop 2'\">\r\n";
  head += "  <Preferences>\r\n";
  head += "    <Units>Metric</Units>\r\n";
  head += "    <Title>Mill \"Shop 2\" &amp; Co</Title>\r\n";
  head += "\t\t<TabIndented>1</TabIndented>\r\n";
  head += "    <LastFile>C:\\Jobs\\bracket.tap</LastFile>\r\n";
  head += "  </Preferences>\r\n";
  for (int motor = 0; motor < 6; ++motor) AppendAxis(head, motor);

  profile.section =
      "  <Qorvix_K7R_Pendant>\r\n"
      "    <DelaySteps>25</DelaySteps>\r\n"
      "    <F1>Cycle start</F1>\r\n"
      "  </Qorvix_K7R_Pendant>\r\n";

  std::string& tail = profile.after;
  tail += "  <ToolTable>\r\n";
  const std::size_t fixed = head.size() + profile.section.size() + 200;
  int tool = 1;
  // Half of what is left goes to tools, the other half to other plug-ins' sections.
  while (fixed + tail.size() * 2 < approximateBytes) AppendTool(tail, tool++);
  tail += "  </ToolTable>\r\n";
  int plugin = 1;
  while (fixed + tail.size() < approximateBytes) AppendPluginSection(tail, plugin++);
  tail += "  <!-- end of plug-in sections -->\r\n";
  tail += "</HostProfile>\r\n";
  return profile;
}

}  // namespace pendant::testing
