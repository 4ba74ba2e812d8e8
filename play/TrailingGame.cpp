#include "play/TrailingGame.hpp"

#include "play/GameSpeed.hpp"

#include <optional>

namespace tamrow
{
std::unique_ptr<Session> freshGameWithoutImages()
{
    return std::make_unique<Session>(std::nullopt);
}

TrailingGame::TrailingGame(const GameMaker& make)
    : session_(make())
    , play_(session_->city(), session_->physics())
{
}

void TrailingGame::play(const FrameInput& step)
{
    // One step each, whatever speed the live game's events set: the record holds steps.
    playFrameAtSpeed(play_, step, 1);
}
} // namespace tamrow
