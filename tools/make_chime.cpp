// Writes the alarm sound, Event.wav: a short two-note chime (16-bit mono PCM,
// 44.1 kHz, 1.6 s), bell-like partials with an exponential decay.
//
//   make_chime OUTPUT.wav
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kSeconds = 1.6;
constexpr double kPi = 3.14159265358979323846;

void put16(std::FILE* f, std::uint16_t v) {
    const unsigned char b[2] = {static_cast<unsigned char>(v & 0xff),
                                static_cast<unsigned char>(v >> 8)};
    std::fwrite(b, 1, 2, f);
}

void put32(std::FILE* f, std::uint32_t v) {
    put16(f, static_cast<std::uint16_t>(v & 0xffff));
    put16(f, static_cast<std::uint16_t>(v >> 16));
}

// One struck note: a fundamental with two softer, faster-fading overtones.
double note(double t, double freq) {
    if (t < 0) {
        return 0;
    }
    const double attack = std::min(1.0, t / 0.004);
    return attack * (std::sin(2 * kPi * freq * t) * std::exp(-3.0 * t) +
                     0.35 * std::sin(2 * kPi * 2.0 * freq * t) * std::exp(-5.0 * t) +
                     0.12 * std::sin(2 * kPi * 3.01 * freq * t) * std::exp(-8.0 * t));
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_chime OUTPUT.wav\n");
        return 2;
    }
    const int frames = static_cast<int>(kRate * kSeconds);
    std::vector<std::int16_t> samples(frames);
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        // E6 then C6, a falling major third.
        double v = 0.45 * note(t, 1318.51) + 0.45 * note(t - 0.28, 1046.50);
        // Fade the last 50 ms to silence so the sound ends without a click.
        const double tail = (kSeconds - t) / 0.05;
        if (tail < 1) {
            v *= tail;
        }
        samples[i] = static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 30000));
    }
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::fprintf(stderr, "make_chime: cannot write %s\n", argv[1]);
        return 1;
    }
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(frames) * 2;
    std::fwrite("RIFF", 1, 4, f);
    put32(f, 36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16);
    put16(f, 1);  // PCM
    put16(f, 1);  // mono
    put32(f, kRate);
    put32(f, kRate * 2);
    put16(f, 2);
    put16(f, 16);
    std::fwrite("data", 1, 4, f);
    put32(f, dataBytes);
    for (std::int16_t s : samples) {
        put16(f, static_cast<std::uint16_t>(s));
    }
    return std::fclose(f) == 0 ? 0 : 1;
}
