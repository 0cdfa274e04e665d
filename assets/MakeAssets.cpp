// Writes the program's own sounds and icon files into the folder given on the command line.
// Run by the build, so the files beside the executable are always made from this source.
#include "ui/AppIcon.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int sampleRate = 22050;
constexpr double pi = 3.14159265358979323846;

using Samples = std::vector<double>;

/// A tone of \a hz for \a ms milliseconds, with short fades so it does not click.
void tone(Samples& out, double hz, int ms, double level)
{
    const int count = sampleRate * ms / 1000;
    const int fade = sampleRate * 8 / 1000;
    for (int i = 0; i < count; ++i) {
        const double envelope = std::min({1.0, double(i) / fade, double(count - i) / fade});
        out.push_back(level * envelope * std::sin(2 * pi * hz * i / sampleRate));
    }
}

/// A burst of noise that dies away fast: the sound of a shutter.
void snap(Samples& out, int ms, double level)
{
    const int count = sampleRate * ms / 1000;
    unsigned state = 12345;
    double previous = 0;
    for (int i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        const double noise = double((state >> 16) & 0x7fff) / 16384.0 - 1.0;
        previous = 0.6 * previous + 0.4 * noise;
        out.push_back(level * previous * std::exp(-6.0 * i / count));
    }
}

void silence(Samples& out, int ms)
{
    out.insert(out.end(), std::size_t(sampleRate * ms / 1000), 0.0);
}

template <typename T> void put(QByteArray& bytes, T value)
{
    const T little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
}

/// 16-bit mono PCM in a RIFF WAVE file.
bool writeWave(const QString& path, const Samples& samples)
{
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray bytes("RIFF");
    put<quint32>(bytes, 36 + dataBytes);
    bytes.append("WAVEfmt ");
    put<quint32>(bytes, 16);
    put<quint16>(bytes, 1);
    put<quint16>(bytes, 1);
    put<quint32>(bytes, sampleRate);
    put<quint32>(bytes, sampleRate * 2);
    put<quint16>(bytes, 2);
    put<quint16>(bytes, 16);
    bytes.append("data");
    put<quint32>(bytes, dataBytes);
    for (double sample : samples)
        put<qint16>(bytes, qint16(std::lround(std::clamp(sample, -1.0, 1.0) * 32767)));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output-folder\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    Samples capture;
    snap(capture, 35, 0.8);
    silence(capture, 40);
    snap(capture, 70, 0.6);

    Samples on;
    tone(on, 660, 90, 0.5);
    silence(on, 20);
    tone(on, 990, 120, 0.5);

    Samples off;
    tone(off, 990, 90, 0.5);
    silence(off, 20);
    tone(off, 660, 120, 0.5);

    bool ok = writeWave(folder.filePath("Vistrelle.wav"), capture) &&
              writeWave(folder.filePath("VistrelleOn.wav"), on) &&
              writeWave(folder.filePath("VistrelleOff.wav"), off);
    for (int size : {48, 256})
        ok = ok && AppIconImage(size).save(folder.filePath(QStringLiteral("vistrelle-%1.png").arg(size)));
    if (!ok)
        std::fprintf(stderr, "could not write the assets into %s\n", argv[1]);
    return ok ? 0 : 1;
}
