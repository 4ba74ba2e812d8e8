#pragma once

#include "city/City.hpp"
#include "play/FrameInput.hpp"
#include "play/Play.hpp"
#include "play/Session.hpp"

#include <cstddef>
#include <functional>
#include <memory>

namespace tamrow
{
/// Builds a fresh game as the live one starts (and as F5 starts it again).
using GameMaker = std::function<std::unique_ptr<Session>()>;
/// The game's own start, without images: what a game kept apart is built from.
std::unique_ptr<Session> freshGameWithoutImages();

/// A game played apart from the live one, from the same start and fed the live
/// game's recorded steps one by one, so it passes through the very states the
/// live game passed through. It loads no image: every sprite shows nothing.
class TrailingGame
{
public:
    /// What one played record is: a world step, or a recorded frame of a file
    /// with the steps its speed gives it.
    enum class Unit
    {
        Step,
        Frame
    };

    TrailingGame(const GameMaker& make, Unit unit);
    TrailingGame(const TrailingGame&) = delete;
    TrailingGame& operator=(const TrailingGame&) = delete;

    /// One recorded step (or frame): its events obeyed, its keys steered, the
    /// world stepped. Never one that starts the game again (F5 starts a new record).
    void play(const FrameInput& record);

    City& city() const { return *play_.city; }
    /// What the last step's Q and E did.
    const Recruiting& recruited() const { return play_.recruited; }
    /// How often the game was started again (F5) on the way.
    std::size_t restarts() const { return session_->restarts(); }

private:
    std::unique_ptr<Session> session_;
    Play play_;  ///< on session_'s city and world
    Unit unit_;
};
} // namespace tamrow
