#include "desktop/StopSignals.hpp"

#include <csignal>
#include <initializer_list>

namespace tamrow
{
namespace
{
/// Written by the handler alone, read by the frame loop.
volatile std::sig_atomic_t stopSignal = 0;

extern "C" void onStopSignal(int signal)
{
    stopSignal = signal;
}
} // namespace

void catchStopSignals()
{
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Calls the signal interrupts (the frame-rate wait, reads from the X server) go on.
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool stopAsked()
{
    return stopSignal != 0;
}
} // namespace tamrow
