#pragma once

#include "city/City.hpp"
#include "play/FrameInput.hpp"
#include "play/Play.hpp"
#include "play/Session.hpp"

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
    explicit TrailingGame(const GameMaker& make);
    TrailingGame(const TrailingGame&) = delete;
    TrailingGame& operator=(const TrailingGame&) = delete;

    /// One recorded step: its events obeyed, its keys steered, the world stepped.
    /// Never a step that starts the game again (F5 starts a new record).
    void play(const FrameInput& step);

    const City& city() const { return *play_.city; }

private:
    std::unique_ptr<Session> session_;
    Play play_;  ///< on session_'s city and world
};
} // namespace tamrow
