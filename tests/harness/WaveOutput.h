// Sends OpenAL Soft's mixer output to dir/out.wav (mono, 32-bit float samples at
// `rate`), so that a test can measure what was really played. OpenAL Soft reads
// its configuration once, at its first call: call this before any device opens.
#pragma once
#include <string>
#include <vector>

void recordMixerToWave(const std::string& dir, int rate);

// Writes dir/media/tkf-sound.mp3: two seconds of a steady 440 Hz tone at
// `amplitude` (0..1), encoded by lame. False when lame is missing or fails.
bool writeMotorTone(const std::string& dir, int rate, float amplitude);

// The float samples of a wave file's data chunk (as recordMixerToWave writes).
std::vector<float> readWaveSamples(const std::string& path);
