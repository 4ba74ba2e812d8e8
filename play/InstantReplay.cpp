#include "play/InstantReplay.hpp"

#include <algorithm>
#include <limits>
#include <utility>

namespace tamrow
{
namespace
{
/// What a step is taken to cost before any was timed (s): a city without many dead.
constexpr double FirstStepGuess = 1e-4;

bool startsAgain(const InputEvent& event)
{
    return event.acts(Action::StartAgain);
}
} // namespace

InstantReplay::InstantReplay(GameMaker make)
    : make_(std::move(make))
    , kept_(KeptGames)
    , stepSeconds_(FirstStepGuess)
    , worker_([this] { work(); })
{
}

InstantReplay::InstantReplay(const Replay& file, GameMaker make)
    : make_(std::move(make))
    , wholeFile_(true)
    , steps_(file.inputs().begin(), file.inputs().end())
    , kept_(KeptGames)
    , stepSeconds_(FirstStepGuess)
    , hashes_(file.hashes())
    , brokenAt_(file.frames())
    , worker_([this] { work(); })
{
}

InstantReplay::~InstantReplay()
{
    {
        const Lock lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

void InstantReplay::record(const FrameInput& step, bool advanced)
{
    Lock lock(mutex_);
    const auto lastStart = std::find_if(step.events.rbegin(), step.events.rend(), startsAgain);
    if (lastStart != step.events.rend())
    {
        // A new game: its record starts with the events after F5.
        pending_.assign(lastStart.base(), step.events.end());
        steps_.clear();
        firstStep_ = 0;
        for (Kept& kept : kept_)
            kept.stale = true;
    }
    else
    {
        pending_.insert(pending_.end(), step.events.begin(), step.events.end());
    }
    if (advanced)
    {
        FrameInput taken;
        taken.keys = step.keys;
        taken.events = std::move(pending_);
        pending_.clear();
        steps_.push_back(std::move(taken));
    }
    // Steps before the window's start and before every kept game are never played again.
    std::size_t keepFrom = windowStart();
    for (const Kept& kept : kept_)
        keepFrom = std::min(keepFrom, kept.stale ? 0 : kept.at);
    for (; firstStep_ < keepFrom; ++firstStep_)
        steps_.pop_front();
    lock.unlock();
    changed_.notify_all();
}

std::size_t InstantReplay::live() const
{
    const Lock lock(mutex_);
    return endLocked();
}

std::size_t InstantReplay::endLocked() const
{
    const std::size_t recorded = firstStep_ + steps_.size();
    // A file plays on to the frame whose hash differed, and no further.
    return wholeFile_ ? std::min(recorded, brokenAt_ + 1) : recorded;
}

void InstantReplay::open()
{
    Lock lock(mutex_);
    show(lock, windowStart());
}

void InstantReplay::jump(std::size_t t)
{
    Lock lock(mutex_);
    // The live game's replay reaches back to the window's start, however far a kept game stands behind it.
    t = std::clamp(t, windowStart(), endLocked());
    const Kept* near = nearestBefore(t);
    const bool nearEnough = near != nullptr && near->at <= t &&
                            static_cast<double>(t - near->at) * stepSeconds_ <= FarJumpSeconds;
    // The worker walks a game kept before t, or in a file one built afresh; never the shown one.
    const bool walkable = wholeFile_ || std::any_of(kept_.begin(), kept_.end(), [this, t](const Kept& kept) {
                              return !kept.stale && &kept != shown_ && kept.at <= t;
                          });
    if (!nearEnough && walkable)
    {
        goingTo_ = t;
        lock.unlock();
        changed_.notify_all();
        return;
    }
    goingTo_.reset();
    show(lock, t);
}

bool InstantReplay::arrives()
{
    Lock lock(mutex_);
    if (!arrivedLocked())
        return false;
    lock.unlock();
    changed_.notify_all();
    return true;
}

void InstantReplay::settle()
{
    Lock lock(mutex_);
    changed_.wait(lock, [this] { return arrivedLocked(); });
    lock.unlock();
    changed_.notify_all();
}

bool InstantReplay::arrivedLocked()
{
    if (!goingTo_)
        return true;
    for (Kept& kept : kept_)
    {
        if (kept.stale || kept.busy || &kept == claimed_ || kept.at != *goingTo_)
            continue;
        shown_ = &kept;
        goingTo_.reset();
        return true;
    }
    return false;
}

std::size_t InstantReplay::target() const
{
    const Lock lock(mutex_);
    return goingTo_.value_or(shown_->at);
}

bool InstantReplay::stepForward()
{
    Lock lock(mutex_);
    if (shown_->at >= endLocked())
        return false;
    playOn(lock, *shown_);
    return true;
}

void InstantReplay::close()
{
    {
        const Lock lock(mutex_);
        shown_ = nullptr;
        goingTo_.reset();
    }
    changed_.notify_all();
}

bool InstantReplay::ready()
{
    const Lock lock(mutex_);
    placeKept();
    return std::none_of(kept_.begin(), kept_.end(), [this](const Kept& kept) {
        return kept.stale || kept.busy || (&kept != shown_ && kept.at < kept.wantedAt);
    });
}

std::size_t InstantReplay::at() const
{
    return shown_->at;
}

std::size_t InstantReplay::start() const
{
    const Lock lock(mutex_);
    return windowStart();
}

std::size_t InstantReplay::earliest() const
{
    const Lock lock(mutex_);
    return earliestLocked();
}

City& InstantReplay::city() const
{
    return shown_->game->city();
}

std::size_t InstantReplay::restarts() const
{
    return shown_->game->restarts();
}

std::string InstantReplay::mismatch() const
{
    const Lock lock(mutex_);
    return shown_ != nullptr && shown_->at > brokenAt_ ? mismatch_ : std::string();
}

void InstantReplay::show(Lock& lock, std::size_t t)
{
    Kept* kept = nullptr;
    while (true)
    {
        kept = nearestBefore(t);
        if (kept == nullptr)
        {
            changed_.wait(lock);  // the worker builds the first games
            continue;
        }
        // The worker may be playing it a step on: wait for that step, which may
        // carry it past `t` or leave another one nearer.
        claimed_ = kept;
        changed_.wait(lock, [kept] { return !kept->busy; });
        if (nearestBefore(t) == kept)
            break;
    }
    claimed_ = nullptr;
    shown_ = kept;
    changed_.notify_all();
    while (kept->at < t)
        playOn(lock, *kept);
}

InstantReplay::Kept* InstantReplay::nearestBefore(std::size_t t)
{
    Kept* nearest = nullptr;
    Kept* earliest = nullptr;
    for (Kept& kept : kept_)
    {
        if (kept.stale)
            continue;
        if (kept.at <= t && (nearest == nullptr || kept.at > nearest->at))
            nearest = &kept;
        if (earliest == nullptr || kept.at < earliest->at)
            earliest = &kept;
    }
    return nearest != nullptr ? nearest : earliest;
}

std::size_t InstantReplay::windowStart() const
{
    if (wholeFile_)
        return 0;
    const std::size_t live = firstStep_ + steps_.size();
    return live > WindowSteps ? live - WindowSteps : 0;
}

std::size_t InstantReplay::earliestLocked() const
{
    std::size_t earliest = std::numeric_limits<std::size_t>::max();
    for (const Kept& kept : kept_)
        if (!kept.stale)
            earliest = std::min(earliest, kept.at);
    return earliest;
}

} // namespace tamrow
