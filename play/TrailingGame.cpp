#include "play/TrailingGame.hpp"

#include "play/GameSpeed.hpp"

#include <optional>

namespace tamrow
{
std::unique_ptr<Session> freshGameWithoutImages()
{
    return std::make_unique<Session>(std::nullopt);
}

TrailingGame::TrailingGame(const GameMaker& make, Unit unit)
    : session_(make())
    , play_(session_->city(), session_->physics())
    , unit_(unit)
{
    // A recorded file may start again (F5) on the way.
    play_.session = session_.get();
}

void TrailingGame::play(const FrameInput& record)
{
    // A step is one step, whatever speed the live game's events set; a file's
    // frame runs the steps its recorded speed gives it.
    if (unit_ == Unit::Frame)
        play_.playFrame(record);
    else
        playFrameAtSpeed(play_, record, 1);
}
} // namespace tamrow
