// tamrow_soundgen: makes every sound of the game into one folder.
//
//   tamrow_soundgen [folder]      (default: resources/sound)
//
// The output depends on nothing but this code (no clock, no random device),
// so running it twice gives byte-identical files.

#include "Synth.hpp"
#include "tools/OutputFolder.hpp"

#include "sound/SoundFiles.hpp"

#include <array>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>

namespace tamrow
{
namespace
{
constexpr double Pi = 3.14159265358979323846;
/// The loudest sample of a short sound, and of the ambience, which stays under everything.
constexpr double EventPeak = 0.9;
constexpr double AmbiencePeak = 0.35;

/// Noise `seconds` long from `synth`'s own sequence.
Synth noiseBurst(Synth& source, double seconds)
{
    Synth burst(seconds);
    for (std::size_t i = 0; i < burst.size(); ++i)
        burst[i] = source.noise();
    return burst;
}

/// A fist on a body: a low thump falling in pitch under a dull slap.
Synth hooliganHit()
{
    Synth sound(0.2);
    Synth thump = glide(0.2, 150.0, 55.0, 0.0);
    thump.envelope(0.003, 0.05);
    Synth slap = noiseBurst(sound, 0.2);
    slap.lowPass(1200.0);
    slap.envelope(0.001, 0.02);
    sound.mix(thump, 1.0);
    sound.mix(slap, 0.8);
    sound.normalise(EventPeak);
    return sound;
}

/// A baton: a hard crack and a short wooden ring.
Synth policeHit()
{
    Synth sound(0.16);
    Synth crack = noiseBurst(sound, 0.16);
    crack.bandPass(2500.0, 1.5);
    crack.envelope(0.0005, 0.012);
    Synth wood = glide(0.16, 820.0, 760.0, 0.0);
    wood.envelope(0.001, 0.035);
    sound.mix(crack, 1.0);
    sound.mix(wood, 0.5);
    sound.normalise(EventPeak);
    return sound;
}

/// A body on the street: a heavy low thud and the scuff of clothes.
Synth fall()
{
    Synth sound(0.5);
    Synth thud = glide(0.5, 95.0, 38.0, 0.2);
    thud.lowPass(400.0);
    thud.envelope(0.006, 0.12);
    Synth scuff = noiseBurst(sound, 0.5);
    scuff.bandPass(700.0, 0.7);
    scuff.envelope(0.04, 0.09);
    sound.mix(thud, 1.0);
    sound.mix(scuff, 0.35, 0.03);
    sound.normalise(EventPeak);
    return sound;
}

/// Q's call: a rough shout, a buzzing voice falling in pitch through a throat-like band.
Synth hooliganCall()
{
    Synth sound(0.45);
    Synth voice = glide(0.45, 240.0, 170.0, 1.0);
    Synth breath = noiseBurst(sound, 0.45);
    voice.mix(breath, 0.5);
    Synth open = voice;
    open.bandPass(750.0, 2.0);
    voice.bandPass(1300.0, 3.0);
    sound.mix(open, 1.0);
    sound.mix(voice, 0.6);
    sound.envelope(0.03, 0.18);
    sound.normalise(EventPeak);
    return sound;
}

/// E's call: a pea whistle, a high tone trilling fast, with a little breath.
Synth policeCall()
{
    constexpr double WhistleHz = 2900.0;
    constexpr double TrillHz = 28.0;
    constexpr double TrillDepthHz = 180.0;
    Synth sound(0.5);
    double phase = 0.0;
    for (std::size_t i = 0; i < sound.size(); ++i)
    {
        const double t = Synth::timeOf(i);
        phase += (WhistleHz + TrillDepthHz * std::sin(2.0 * Pi * TrillHz * t)) / SampleRate;
        phase -= std::floor(phase);
        sound[i] = std::sin(2.0 * Pi * phase) * (0.75 + 0.25 * std::sin(2.0 * Pi * TrillHz * t));
    }
    Synth breath = noiseBurst(sound, 0.5);
    breath.bandPass(WhistleHz, 4.0);
    sound.mix(breath, 0.3);
    sound.envelope(0.02, 0.25);
    sound.normalise(EventPeak);
    return sound;
}

/// Newcomers running in: eight quick footsteps, unevenly spaced and weighted.
Synth wave()
{
    constexpr std::array<double, 8> StepTimes = {0.0, 0.11, 0.2, 0.33, 0.41, 0.55, 0.63, 0.77};
    Synth sound(0.95);
    for (std::size_t step = 0; step < StepTimes.size(); ++step)
    {
        Synth footfall = noiseBurst(sound, 0.1);
        footfall.bandPass(step % 2 == 0 ? 420.0 : 560.0, 1.2);
        footfall.envelope(0.002, 0.018);
        sound.mix(footfall, step % 3 == 0 ? 1.0 : 0.7, StepTimes[step]);
    }
    sound.normalise(EventPeak);
    return sound;
}

/// The street far off: a low rumble of traffic that swells and falls, looped.
Synth ambience()
{
    constexpr double LoopSeconds = 3.0;
    constexpr double FadeSeconds = 0.5;
    Synth source(0.0);
    Synth sound = noiseBurst(source, LoopSeconds + FadeSeconds);
    sound.lowPass(180.0);
    sound.lowPass(240.0);
    for (std::size_t i = 0; i < sound.size(); ++i)
        sound[i] *= 0.7 + 0.3 * std::sin(2.0 * Pi * Synth::timeOf(i) / (LoopSeconds + FadeSeconds));
    sound.makeLoop(FadeSeconds);
    sound.normalise(AmbiencePeak);
    return sound;
}

/// A press that turned nobody: two dry knocks, the second lower, like a tongue
/// clicked twice; short and without ring, so it reads as "no" under the fight.
Synth miss()
{
    constexpr std::array<double, 2> KnockTimes = {0.0, 0.085};
    constexpr std::array<double, 2> KnockHz = {420.0, 300.0};
    Synth sound(0.17);
    for (std::size_t knock = 0; knock < KnockTimes.size(); ++knock)
    {
        Synth body = glide(0.08, KnockHz[knock], 0.8 * KnockHz[knock], 0.3);
        body.envelope(0.001, 0.012);
        Synth click = noiseBurst(sound, 0.08);
        click.bandPass(1800.0, 1.0);
        click.envelope(0.0005, 0.004);
        sound.mix(body, 1.0, KnockTimes[knock]);
        sound.mix(click, 0.5, KnockTimes[knock]);
    }
    sound.normalise(EventPeak);
    return sound;
}

/// The maker of every sound, in Sound order (sound/SoundFiles.hpp).
const std::array<Synth (*)(), SoundCount> Makers = {hooliganHit, policeHit, fall,     hooliganCall,
                                                    policeCall,  wave,      ambience, miss};
} // namespace
} // namespace tamrow

int main(int argc, char** argv)
{
    using namespace tamrow;
    int status = 0;
    const std::optional<std::filesystem::path> folder = outputFolder(argc, argv, "resources/sound", status);
    if (!folder)
        return status;
    for (std::size_t id = 0; id < SoundCount; ++id)
    {
        const Synth sound = Makers[id]();
        const std::filesystem::path file = *folder / SoundFiles[id];
        std::ostringstream length;
        length << Synth::timeOf(sound.size()) << " s";
        if (!told(sound.save(file.string()), file, length.str()))
            return ToolWriteError;
    }
    return 0;
}
