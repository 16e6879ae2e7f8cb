#pragma once

#include <QString>

namespace test_support {

// Writes a mono 16-bit PCM WAV file of a 440 Hz tone lasting `milliseconds`.
void WriteToneWave(const QString& path, int milliseconds);

}  // namespace test_support
