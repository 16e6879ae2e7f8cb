#include "tests/support/wave_file.h"

#include <QDataStream>
#include <QFile>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace test_support {

void WriteToneWave(const QString& path, int milliseconds)
{
    constexpr quint32 kRate = 8000;
    constexpr quint16 kBytesPerSample = 2;
    const quint32 samples = kRate * quint32(milliseconds) / 1000;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write " + path.toStdString());
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 dataBytes = samples * kBytesPerSample;
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << kRate << kRate * kBytesPerSample << kBytesPerSample
        << quint16(8 * kBytesPerSample);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (quint32 i = 0; i < samples; ++i)
        out << qint16(8000 * std::sin(2 * std::numbers::pi * 440 * i / kRate));
}

}  // namespace test_support
