#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tamrow
{
/// Samples per second of every sound the game plays (Hz).
constexpr std::uint32_t SampleRate = 22050;

/// A mono sound being made: samples in -1..1, written as 16-bit PCM WAV.
/// Everything is computed from the code alone (its own noise sequence, no
/// clock), so the same build writes the same bytes every time.
class Synth
{
public:
    /// A silent sound `seconds` long.
    explicit Synth(double seconds);

    std::size_t size() const { return samples_.size(); }
    double& operator[](std::size_t i) { return samples_[i]; }
    double at(std::size_t i) const { return samples_[i]; }
    /// The time of sample `i` (s).
    static double timeOf(std::size_t i) { return static_cast<double>(i) / SampleRate; }

    /// The next value of the tool's own white-noise sequence, in -1..1.
    double noise();
    /// Adds `other` times `gain`, starting at `startSeconds`; what runs past the end is cut.
    void mix(const Synth& other, double gain, double startSeconds = 0.0);
    /// Multiplies by an attack-decay envelope: a linear rise over `attack` s,
    /// then an exponential fall with time constant `decay` s.
    void envelope(double attack, double decay);
    /// One-pole low-pass filter at `cutoffHz`.
    void lowPass(double cutoffHz);
    /// Two-pole band-pass filter (constant peak gain) at `centreHz`, quality `q`.
    void bandPass(double centreHz, double q);
    /// Scales so that the loudest sample is `peak` (0..1).
    void normalise(double peak);
    /// Cross-fades the last `seconds` into the start and cuts them off, so the
    /// sound loops without a click.
    void makeLoop(double seconds);
    /// Writes 16-bit mono PCM WAV; false if the file cannot be written.
    bool save(const std::string& file) const;

private:
    std::vector<double> samples_;
    std::uint32_t noiseState_ = 0x2545F491u;
};

/// A tone whose pitch glides exponentially from `fromHz` to `toHz` over
/// `seconds`; `shape` 0 is a sine, 1 a sawtooth, between them a mix.
Synth glide(double seconds, double fromHz, double toHz, double shape);
} // namespace tamrow
