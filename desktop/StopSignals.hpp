#pragma once

namespace tamrow
{
// SIGTERM (a logout, a shutdown, `kill`), SIGINT (Ctrl+C in the terminal) and
// SIGHUP (the terminal gone) end the game as its close button does: the handler
// only raises a flag, and the frame loop, reading it between frames, lets the
// frame finish and the recording be finished before the program returns.

/// Installs the handler for the three signals; call once, before the first frame.
void catchStopSignals();

/// True once one of the three signals has come.
bool stopAsked();
} // namespace tamrow
