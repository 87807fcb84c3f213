// The display reports the plug-in has written, as much as the bench needs of them: how many,
// and the last one. They are taken off the virtual bus whenever asked, so a session of any
// length holds one report, not its whole history.
#pragma once

#include <cstdint>
#include <vector>

namespace pendant::bench {

class DisplayWrites {
 public:
  // Display reports written since the session began.
  uint64_t Count() const;
  // The last display report written, or null when none was.
  const std::vector<uint8_t>* Last() const;
  // The same, leaving the reports on the bus for a test that reads them there.
  const std::vector<uint8_t>* Peek() const;

 private:
  // Taking the bus's reports changes nothing a reader can see, hence const.
  void TakeFromBus() const;

  mutable uint64_t count_ = 0;
  mutable std::vector<uint8_t> last_;
};

}  // namespace pendant::bench
