// Plays dot tones through the sidetone on a real audio output and prints how long each took from
// SidetoneStart to leaving the speaker: the time its buffer waited in the queue until the stream
// took its first frame, plus the output latency PortAudio reports for the stream.
//
//   sidetone_bench [--device N] [--srate HZ] [--marks N]
//
// Starts are spread at random over the stream's callback period, as marks fall in real keying.
// Without a sound card, run it against a PulseAudio null sink (see README, Benchmarks).

#include "BenchOptions.h"
#include "keyer/SidetoneGenerator.h"
#include "platform/PortAudioOut.h"
#include "settings/Settings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

namespace {

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * (values.size() - 1) + 0.5))];
}

} // namespace

int main(int argc, char** argv) {
    const int device = option(argc, argv, "--device", -1);
    const int rate = option(argc, argv, "--srate", 11025);
    const int marks = std::max(1, option(argc, argv, "--marks", 200));

    Settings settings;
    PortAudioOut out;
    SidetoneGenerator tone(out, settings, {rate, 600, 100}, device);
    tone.BuildSidetone();
    if (!tone.isOpen()) {
        std::fprintf(stderr, "sidetone_bench: no audio output %d at %d Hz\n", device, rate);
        return 1;
    }

    // A new stream primes a few callbacks, then stalls until the sound server starts it (up to 2 s
    // on PulseAudio). The program builds the sidetone long before the first mark, so that start-up
    // is no part of a mark's delay.
    const auto poll = [&](double previous) {
        for (int ms = 0; ms < 3000; ms += 5) {
            if (out.lastQueueWaitSeconds() != previous)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    };
    tone.SidetoneStart(1);
    if (!poll(-1)) {
        std::fprintf(stderr, "sidetone_bench: the stream never took a buffer\n");
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(3));

    std::mt19937 random(147);
    std::uniform_int_distribution<int> jitterUs(0, 20'000);
    std::vector<double> waits;
    int lost = 0;
    for (int i = 0; i < marks; ++i) {
        // The dot before and a gap after it, and a random part of the callback period.
        std::this_thread::sleep_for(std::chrono::microseconds(120'000 + jitterUs(random)));
        const double previous = out.lastQueueWaitSeconds();
        tone.SidetoneStart(1);
        if (poll(previous))
            waits.push_back(out.lastQueueWaitSeconds() * 1000);
        else
            ++lost;
    }
    const double latencyMs = out.outputLatencySeconds() * 1000;
    tone.CloseSidetone();
    if (lost > 0) {
        std::fprintf(stderr, "sidetone_bench: %d of %d tones never started\n", lost, marks);
        return 1;
    }
    const auto late = std::count_if(waits.begin(), waits.end(), [&](double wait) { return wait + latencyMs > 15; });
    std::printf("sidetone %d Hz, device %d, %d dots: queue wait median %.2f ms, p95 %.2f ms, max %.2f ms; "
                "output latency %.2f ms; start to sound median %.2f ms, p95 %.2f ms, max %.2f ms, %zd over 15 ms\n",
                rate, device, marks, percentile(waits, 0.5), percentile(waits, 0.95), percentile(waits, 1.0), latencyMs,
                percentile(waits, 0.5) + latencyMs, percentile(waits, 0.95) + latencyMs,
                percentile(waits, 1.0) + latencyMs, late);
    return 0;
}
