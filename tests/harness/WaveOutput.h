// Sends OpenAL Soft's mixer output to dir/out.wav (mono, 32-bit float samples at
// `rate`), so that a test can measure what was really played. OpenAL Soft reads
// its configuration once, at its first call: call this before any device opens.
#pragma once
#include <string>

void recordMixerToWave(const std::string& dir, int rate);
