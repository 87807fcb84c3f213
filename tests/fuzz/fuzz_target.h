// Every fuzz target defines the libFuzzer entry point; the plain native build replays seeded
// random inputs through it (replay_main.cpp), the fuzz preset links libFuzzer instead.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
