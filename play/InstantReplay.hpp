#pragma once

#include "city/City.hpp"
#include "life/StateHash.hpp"
#include "play/FrameInput.hpp"
#include "play/Replay.hpp"
#include "play/TrailingGame.hpp"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace tamrow
{
/// The instant replay's core: any moment of the live game's last 30 s (or
/// since its start or F5, if that is shorter) shown again, without touching
/// the live game. Time is counted in world steps since the live game's start
/// or its last F5; moment t is the state the live game had after its t-th step.
///
/// A Box2D world cannot be copied, so the moments are reached by games kept
/// apart and fed the recorded steps (TrailingGame), on a worker thread of
/// their own: the live frame only hands its step over. While the live game
/// plays they stand at the window's start and every 5 s after it, up to 5 s
/// behind the live game. While open, one is shown, and the worker keeps
/// others 5 and 10 s ahead of and behind it, so a jump finds one there. A game
/// played forward never goes back: those left behind by a jump stay where
/// they are, as checkpoints for later jumps and for the next opening, and the
/// worker walks them on to the places they are wanted at, the most wanted
/// first: the window's start, then each 5 s after it; while open, a far
/// jump's moment, the next jump either way, then the window's start. When it
/// cannot keep up (x4 and more among thousands of dead) the first places
/// stay kept.
///
/// A jump to t plays the kept game nearest at or before t on to t on the
/// caller's thread if that takes at most FarJumpSeconds at the recent steps'
/// cost; a further one is left to the worker, the shown moment staying until
/// it arrives(). When the budget cannot be met: a jump before every kept game
/// (each back jump can use up one) lands on the earliest kept moment instead,
/// as does an opening right after the replay was left further on: the window
/// then reaches back less far until the live game has played on by the
/// difference.
///
/// A recorded file is shown the same way, its moments counted in recorded
/// frames and all of them within reach: a jump before every kept game builds
/// one afresh from the start.
class InstantReplay
{
public:
    static constexpr std::size_t WindowSteps = 1800;  ///< 30 s of steps shown again
    static constexpr std::size_t JumpSteps = 300;     ///< 5 s, a jump back or forth
    /// Games kept apart: one at the window's start and one every JumpSteps after it.
    static constexpr std::size_t KeptGames = WindowSteps / JumpSteps;

    /// A jump the caller's thread would take longer than this to play (s),
    /// going by the recent steps' cost, is left to the worker.
    static constexpr double FarJumpSeconds = 0.05;

    /// The kept games are built by `make`, as the live game was.
    explicit InstantReplay(GameMaker make = freshGameWithoutImages);
    /// The moments of the recorded game `file`, moment t the state after its
    /// t-th frame; every frame played is held against its recorded hash.
    /// open() shows the start.
    InstantReplay(const Replay& file, GameMaker make);
    ~InstantReplay();
    InstantReplay(const InstantReplay&) = delete;
    InstantReplay& operator=(const InstantReplay&) = delete;

    /// Takes one step of the live game as it was played (GameSpeed's StepTaken):
    /// the events it obeyed and its keys, and whether the world moved on. Steps
    /// that did not (paused, or a slowed frame without a step) pass their events
    /// on to the next that does; F5 among them starts a new record. Not while open.
    void record(const FrameInput& step, bool advanced);
    /// World steps of the live game since its start or its last F5; a file's frames.
    std::size_t live() const;

    /// Shows the window's start, or the earliest kept moment after it; waits
    /// for the worker's first game after a start or F5 (a few ms).
    void open();
    /// Shows moment `t`, held within the window (from its start, or from
    /// earliest() if that is later) and live(); a far one only once it arrives().
    void jump(std::size_t t);
    /// Whether the shown moment is where the last jump asked; if the worker
    /// has just brought a game there, shows it. Call once a frame while open.
    bool arrives();
    /// Waits until arrives(), for tests and the benchmark.
    void settle();
    /// Where a jump still on its way goes; the shown moment when none is.
    std::size_t target() const;
    /// The shown game one step further; false at the live moment.
    bool stepForward();
    /// Back to the live game, which never noticed.
    void close();

    /// Every kept game built and standing where it is wanted: what an opening
    /// or a jump of 5 s either way finds ready, if nothing comes between.
    bool ready();

    bool isOpen() const { return shown_ != nullptr; }
    /// Whether these are a recorded file's moments, not the live game's.
    bool wholeFile() const { return wholeFile_; }
    /// Where the window shown again starts: 30 s before the live moment, or
    /// the start (a file's, or the live game's if it is younger).
    std::size_t start() const;
    /// The shown moment and the earliest one a jump can reach; only while open.
    std::size_t at() const;
    std::size_t earliest() const;
    /// The shown game's city; only while open. The worker never touches it:
    /// the caller may move its sprites for a draw and put them back.
    City& city() const;
    /// What the shown game's last step's Q and E did; only while open.
    const Recruiting& recruited() const { return shown_->game->recruited(); }
    /// The shown game's starts again (F5) so far in a file, 0 in the live game's record.
    std::size_t restarts() const;
    /// In a file, the first frame that played to another state hash than the
    /// recorded one, as Replay::mismatch() says it, once the shown moment is
    /// past it; empty until then. live() ends on that frame.
    std::string mismatch() const;

private:
    struct Kept
    {
        std::unique_ptr<TrailingGame> game;
        std::size_t at = 0;         ///< steps played since the start
        std::size_t wantedAt = 0;   ///< where the worker walks it to
        std::size_t rank = 0;       ///< how wanted that place is: 0 the most; unplaced games last
        bool stale = true;          ///< from a game before F5, or not built yet
        bool busy = false;          ///< in the worker's hands
        StateHash hash;             ///< in a file, its frames' hashes folded in so far
    };
    using Lock = std::unique_lock<std::mutex>;

    void work();
    /// Says where each kept game is wanted, and how much, the most wanted place
    /// first, each given the latest game at or before it.
    void placeKept();
    /// The kept game at the latest moment at or before `t`, shown one included;
    /// failing that the earliest; null with none built. Under the lock.
    Kept* nearestBefore(std::size_t t);
    /// Shows the kept game nearest at or before `t`, once the worker lets it
    /// go, played on to `t` on this thread.
    void show(Lock& lock, std::size_t t);
    /// Plays `kept` one recorded step on, off the lock.
    void playOn(Lock& lock, Kept& kept);
    /// The kept game placeKept() sent to goingTo_; null with none before it.
    Kept* headedFor();
    /// The kept game the worker plays on next, if any: the most wanted one
    /// short of its place. Under the lock, after placeKept().
    Kept* nextWalk();
    /// Shows the game standing where the far jump goes, if one is; true once
    /// the shown moment is where the last jump asked. Under the lock.
    bool arrivedLocked();
    /// The latest moment that can be shown: the live one, or a file's last
    /// frame (the first whose hash differed, if one did). Under the lock.
    std::size_t endLocked() const;
    std::size_t windowStart() const;
    std::size_t earliestLocked() const;

    GameMaker make_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    const bool wholeFile_ = false;   ///< a recorded file: moments are frames, none dropped
    std::deque<FrameInput> steps_;   ///< the recorded steps (frames of a file) from `firstStep_` on
    std::size_t firstStep_ = 0;
    std::vector<InputEvent> pending_;  ///< events of steps that did not advance
    std::vector<Kept> kept_;
    Kept* shown_ = nullptr;
    Kept* claimed_ = nullptr;  ///< about to be shown: the worker leaves it alone
    std::optional<std::size_t> goingTo_;  ///< a far jump the worker plays a game on to
    double stepSeconds_ = 0.0;  ///< s, what a recent step cost to play, a running mean
    std::vector<std::uint64_t> hashes_;  ///< a file's recorded hashes, one per frame
    std::size_t brokenAt_ = std::numeric_limits<std::size_t>::max();  ///< a file's first frame whose hash differed (from 0); its frame count if none
    std::string mismatch_;      ///< what that frame played to
    bool quit_ = false;
    std::thread worker_;  ///< last: started once everything above is built
};
} // namespace tamrow
