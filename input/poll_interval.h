// How long one poll cycle lasts: the pendant window's timer runs a cycle every
// kPollIntervalMs, and the engine counts its key timing in cycles.
#pragma once

namespace pendant {

inline constexpr unsigned kPollIntervalMs = 25;

}  // namespace pendant
