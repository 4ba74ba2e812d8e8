#pragma once

#include "support/ChildProcess.hpp"
#include "support/TestCity.hpp"

#include <string>

/// An X server of a test's own (Xvfb, 1920 x 1080), on the first free display
/// number, for as long as this lives: what runs there meets no other test's windows.
class PrivateDisplay
{
public:
    /// Starts the server and waits up to 10 s for it to take connections.
    PrivateDisplay();

    const std::string& name() const { return name_; }  ///< ":N"; empty if it did not come up

private:
    TempFolder folder_;
    ChildProcess server_;
    std::string name_;
};
