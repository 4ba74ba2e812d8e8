#include "Synth.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace tamrow
{
namespace
{
constexpr double Pi = 3.14159265358979323846;

void putLittleEndian(std::string& bytes, std::uint32_t value, int width)
{
    for (int byte = 0; byte < width; ++byte)
        bytes.push_back(static_cast<char>((value >> (8 * byte)) & 0xFFu));
}
} // namespace

Synth::Synth(double seconds) : samples_(static_cast<std::size_t>(seconds * SampleRate), 0.0)
{
}

double Synth::noise()
{
    // xorshift32: the same sequence on every machine.
    noiseState_ ^= noiseState_ << 13;
    noiseState_ ^= noiseState_ >> 17;
    noiseState_ ^= noiseState_ << 5;
    return static_cast<double>(noiseState_) / 2147483647.5 - 1.0;
}

void Synth::mix(const Synth& other, double gain, double startSeconds)
{
    const auto start = static_cast<std::size_t>(startSeconds * SampleRate);
    for (std::size_t i = 0; i < other.size() && start + i < size(); ++i)
        samples_[start + i] += gain * other.at(i);
}

void Synth::envelope(double attack, double decay)
{
    for (std::size_t i = 0; i < size(); ++i)
    {
        const double t = timeOf(i);
        samples_[i] *= t < attack ? t / attack : std::exp(-(t - attack) / decay);
    }
}

void Synth::lowPass(double cutoffHz)
{
    const double alpha = 1.0 - std::exp(-2.0 * Pi * cutoffHz / SampleRate);
    double state = 0.0;
    for (double& sample : samples_)
    {
        state += alpha * (sample - state);
        sample = state;
    }
}

void Synth::bandPass(double centreHz, double q)
{
    const double omega = 2.0 * Pi * centreHz / SampleRate;
    const double alpha = std::sin(omega) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    const double b0 = alpha / a0;
    const double a1 = -2.0 * std::cos(omega) / a0;
    const double a2 = (1.0 - alpha) / a0;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    for (double& sample : samples_)
    {
        const double y = b0 * sample - b0 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = sample;
        y2 = y1;
        y1 = y;
        sample = y;
    }
}

void Synth::normalise(double peak)
{
    double loudest = 0.0;
    for (const double sample : samples_)
        loudest = std::max(loudest, std::abs(sample));
    if (loudest > 0.0)
    {
        for (double& sample : samples_)
            sample *= peak / loudest;
    }
}

void Synth::makeLoop(double seconds)
{
    const auto overlap = static_cast<std::size_t>(seconds * SampleRate);
    const std::size_t kept = size() - overlap;
    for (std::size_t i = 0; i < overlap; ++i)
    {
        const double in = static_cast<double>(i) / static_cast<double>(overlap);
        samples_[i] = samples_[i] * in + samples_[kept + i] * (1.0 - in);
    }
    samples_.resize(kept);
}

bool Synth::save(const std::string& file) const
{
    constexpr std::uint32_t BytesPerSample = 2;
    const auto dataBytes = static_cast<std::uint32_t>(size() * BytesPerSample);
    std::string bytes = "RIFF";
    putLittleEndian(bytes, 36 + dataBytes, 4);
    bytes += "WAVEfmt ";
    putLittleEndian(bytes, 16, 4);                          // format chunk size
    putLittleEndian(bytes, 1, 2);                           // PCM
    putLittleEndian(bytes, 1, 2);                           // mono
    putLittleEndian(bytes, SampleRate, 4);
    putLittleEndian(bytes, SampleRate * BytesPerSample, 4); // bytes per second
    putLittleEndian(bytes, BytesPerSample, 2);              // bytes per frame
    putLittleEndian(bytes, 16, 2);                          // bits per sample
    bytes += "data";
    putLittleEndian(bytes, dataBytes, 4);
    for (const double sample : samples_)
    {
        const double clipped = std::clamp(sample, -1.0, 1.0);
        const auto value = static_cast<std::int16_t>(std::lround(clipped * 32767.0));
        putLittleEndian(bytes, static_cast<std::uint16_t>(value), 2);
    }
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

Synth glide(double seconds, double fromHz, double toHz, double shape)
{
    Synth tone(seconds);
    double phase = 0.0;
    for (std::size_t i = 0; i < tone.size(); ++i)
    {
        const double hz = fromHz * std::pow(toHz / fromHz, Synth::timeOf(i) / seconds);
        phase += hz / SampleRate;
        phase -= std::floor(phase);
        const double sine = std::sin(2.0 * Pi * phase);
        const double saw = 2.0 * phase - 1.0;
        tone[i] = (1.0 - shape) * sine + shape * saw;
    }
    return tone;
}
} // namespace tamrow
