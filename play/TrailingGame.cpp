#include "play/TrailingGame.hpp"

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
    play_.playFrame(step);
}
} // namespace tamrow
