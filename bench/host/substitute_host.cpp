#include "bench/host/substitute_host.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "host/host_effect_text.h"
#include "host/host_fields.h"
#include "host/host_interface.h"
#include "platform/virtual_desktop.h"
#include "plugin/exports.h"

namespace pendant::bench {
namespace {

// What the host does inside the callback once it has taken the effect.
void ActInside(SubstituteHost& host, const HostEffect& effect) {
  if (host.insideCallback) host.insideCallback(effect);
}

// Makes the block size zero bytes. A block of that size already hands its whole pages back to
// the kernel, which maps in zeros where they are touched next: writing 1.3 MB of zeros cost a
// fuzz input's reset more than everything else in it.
void ZeroBlock(std::vector<uint8_t>& block, size_t size) {
  if (block.size() != size) {
    block.assign(size, 0);
    return;
  }
  const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  uint8_t* const begin = block.data();
  uint8_t* const end = begin + size;
  uint8_t* const firstPage = begin + (page - reinterpret_cast<uintptr_t>(begin) % page) % page;
  uint8_t* const endPage = end - reinterpret_cast<uintptr_t>(end) % page;
  if (firstPage >= endPage || madvise(firstPage, endPage - firstPage, MADV_DONTNEED) != 0) {
    std::memset(begin, 0, size);
    return;
  }
  // memset, not a loop: under the sanitizers each byte of a loop is checked on its own.
  std::memset(begin, 0, firstPage - begin);
  std::memset(endPage, 0, end - endPage);
}

void RecordButton(int16_t code) {
  SubstituteHost& host = SubstituteHost::Instance();
  const HostEffect effect{HostEffect::Kind::Button, code, 0.0, {}};
  host.Record(effect);
  if (host.reactions) host.reactions->OnButton(code);
  ActInside(host, effect);
}

void RecordSetDro(int16_t dro, double value) {
  SubstituteHost& host = SubstituteHost::Instance();
  host.dros[dro] = value;
  const HostEffect effect{HostEffect::Kind::SetDro, dro, value, {}};
  host.Record(effect);
  if (host.reactions) host.reactions->OnSetDro(dro, value);
  ActInside(host, effect);
}

void RecordRead(SubstituteHost& host, bool led, int number) {
  if (host.recordReads) host.reads.push_back({led, number});
}

double AnswerGetDro(int16_t dro) {
  SubstituteHost& host = SubstituteHost::Instance();
  RecordRead(host, false, dro);
  return host.Dro(dro);
}

uint8_t AnswerGetLed(int16_t led) {
  SubstituteHost& host = SubstituteHost::Instance();
  RecordRead(host, true, led);
  return host.Led(led) ? 1 : 0;
}

void IgnoreSetLed(int16_t, uint8_t) {}

void RecordCode(const char* line) {
  SubstituteHost& host = SubstituteHost::Instance();
  const HostEffect effect{HostEffect::Kind::Code, 0, 0.0, line ? line : ""};
  host.Record(effect);
  if (host.reactions) host.reactions->OnCode(effect.text);
  ActInside(host, effect);
}

}  // namespace

std::string HostEffect::ToString() const {
  switch (kind) {
    case Kind::Button:
      return ButtonEffectText(number);
    case Kind::SetDro:
      return SetDroEffectText(number, value);
    case Kind::Code:
      return CodeEffectText(text);
    case Kind::Message:
      return MessageEffectText(text);
  }
  return {};
}

std::string HostRead::ToString() const {
  return (led ? "GetLED " : "GetDRO ") + std::to_string(number);
}

SubstituteHost& SubstituteHost::Instance() {
  static SubstituteHost host;
  return host;
}

void SubstituteHost::Reset() {
  reactions = nullptr;
  insideCallback = nullptr;
  recordReads = false;
  reads.clear();
  dros.clear();
  ledsOn.clear();
  effects.clear();
  ZeroBlock(blockA, kHostBlockASize);
  ZeroBlock(blockB, kHostBlockBSize);
  ZeroBlock(blockC, kHostBlockCSize);
  messageLine = HostStringObject(HostStringObject::Layout::CountFirst, 255);
  Poke<char*>(blockC, host_fields::kHostMessageText, messageLine.Chars());
  window = VirtualDesktop::Instance().CreateHostWindow();
  parentWindow.fill(0);
  std::memcpy(parentWindow.data() + kHostParentWindowOffset, &window, sizeof window);
}

std::string SubstituteHost::Start(const std::string& profilePath) {
  HandOverCallbacks();
  std::string name = NameProfile(profilePath);
  InitControl();
  return name;
}

void SubstituteHost::HandOverCallbacks() {
  SetDoButton(RecordButton);
  SetSetDRO(RecordSetDro);
  SetGetDRO(AnswerGetDro);
  SetGetLED(AnswerGetLed);
  SetSetLED(IgnoreSetLed);
  SetCode(RecordCode);
}

std::string SubstituteHost::NameProfile(const std::string& profilePath) {
  const char* name = SetProName(HostString{profilePath.c_str()});
  return name ? name : "";
}

void SubstituteHost::InitControl() {
  ::InitControl(blockA.data(), blockB.data(), blockC.data(), parentWindow.data());
}

void SubstituteHost::PostInit() {
  PostInitControl();
}

void SubstituteHost::Stop() {
  StopPlug();
}

void SubstituteHost::CollectMessage() {
  const std::string text = messageLine.Text();
  if (text.empty()) return;
  Record({HostEffect::Kind::Message, 0, 0.0, text});
  messageLine.Clear();
}

double SubstituteHost::Dro(int dro) const {
  const auto found = dros.find(dro);
  return found == dros.end() ? 0.0 : found->second;
}

void SubstituteHost::Record(const HostEffect& effect) {
  effects.push_back(effect);
  if (onEffect) onEffect(effect);
}

std::vector<HostEffect> SubstituteHost::TakeEffects() {
  std::vector<HostEffect> taken;
  taken.swap(effects);
  return taken;
}

}  // namespace pendant::bench
