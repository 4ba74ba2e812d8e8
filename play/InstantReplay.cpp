#include "play/InstantReplay.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <limits>
#include <utility>

#include <pthread.h>

namespace tamrow
{
namespace
{
/// While open, where the worker keeps games around the shown moment (steps),
/// the most wanted first: the next jump either way, then the one after.
constexpr std::array<std::ptrdiff_t, 4> AroundShown = {
    static_cast<std::ptrdiff_t>(InstantReplay::JumpSteps), -static_cast<std::ptrdiff_t>(InstantReplay::JumpSteps),
    2 * static_cast<std::ptrdiff_t>(InstantReplay::JumpSteps), -2 * static_cast<std::ptrdiff_t>(InstantReplay::JumpSteps)};

/// What a step is taken to cost before any was timed (s): a city without many dead.
constexpr double FirstStepGuess = 1e-4;
/// How much of each new timing the running mean of a step's cost takes in.
constexpr double StepCostWeight = 0.1;

bool startsAgain(const InputEvent& event)
{
    return event.acts(Action::StartAgain);
}

/// Makes the calling thread one that never takes the CPU from a thread that
/// wakes it (Linux's SCHED_BATCH, at the same share of the CPU): woken, it
/// waits for that CPU to free up, or moves to an idle one.
void neverPreemptTheWaker()
{
#ifdef SCHED_BATCH
    const sched_param normal{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &normal);
#endif
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

void InstantReplay::playOn(Lock& lock, Kept& kept)
{
    // Steps are only ever dropped before every kept game, so this one stays.
    const FrameInput step = steps_[kept.at - firstStep_];
    lock.unlock();
    const auto start = std::chrono::steady_clock::now();
    kept.game->play(step);
    if (wholeFile_)
        kept.hash.record(kept.game->city());
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    lock.lock();
    stepSeconds_ += (took.count() - stepSeconds_) * StepCostWeight;
    // Every game plays a file from its start, so each holds every frame it plays to the recording.
    if (wholeFile_ && kept.hash.value() != hashes_[kept.at] && kept.at < brokenAt_)
    {
        brokenAt_ = kept.at;
        mismatch_ = hashMismatch(kept.at + 1, kept.hash.value(), hashes_[kept.at]);
    }
    ++kept.at;
    changed_.notify_all();
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

void InstantReplay::placeKept()
{
    const auto live = static_cast<std::ptrdiff_t>(endLocked());
    std::vector<std::ptrdiff_t> wanted;
    // A far jump first: the player waits for it.
    if (goingTo_)
        wanted.push_back(static_cast<std::ptrdiff_t>(*goingTo_));
    if (shown_ != nullptr)
    {
        for (const std::ptrdiff_t offset : AroundShown)
            wanted.push_back(static_cast<std::ptrdiff_t>(shown_->at) + offset);
        // And the window's start, for a jump back to it; a file builds its start afresh.
        if (!wholeFile_)
            wanted.push_back(static_cast<std::ptrdiff_t>(windowStart()));
    }
    else
        for (std::size_t k = 0; k < KeptGames; ++k)
            wanted.push_back(live - static_cast<std::ptrdiff_t>(WindowSteps - k * JumpSteps));
    for (Kept& kept : kept_)
    {
        kept.wantedAt = kept.at;
        kept.rank = wanted.size();
    }
    std::vector<bool> placed(kept_.size(), false);
    for (std::size_t rank = 0; rank < wanted.size(); ++rank)
    {
        // Before the start they all stand at 0, spares for the first jumps back.
        const std::ptrdiff_t place = std::clamp<std::ptrdiff_t>(wanted[rank], 0, live);
        std::size_t best = kept_.size();
        for (std::size_t k = 0; k < kept_.size(); ++k)
        {
            const Kept& kept = kept_[k];
            if (placed[k] || kept.stale || &kept == shown_ || static_cast<std::ptrdiff_t>(kept.at) > place)
                continue;
            if (best == kept_.size() || kept.at > kept_[best].at)
                best = k;
        }
        if (best == kept_.size())
            continue;
        placed[best] = true;
        kept_[best].wantedAt = static_cast<std::size_t>(place);
        kept_[best].rank = rank;
    }
    const bool rebuilding = std::any_of(kept_.begin(), kept_.end(), [](const Kept& kept) { return kept.stale; });
    if (goingTo_ && headedFor() == nullptr && wholeFile_ && !rebuilding)
    {
        // Every game stands past it: the one furthest from the shown moment starts again from the beginning.
        Kept* farthest = nullptr;
        const auto distance = [this](const Kept& kept) {
            return std::abs(static_cast<std::ptrdiff_t>(kept.at) - static_cast<std::ptrdiff_t>(shown_->at));
        };
        for (Kept& kept : kept_)
            if (&kept != shown_ && &kept != claimed_ && !kept.busy && !kept.stale &&
                (farthest == nullptr || distance(kept) > distance(*farthest)))
                farthest = &kept;
        if (farthest != nullptr)
            farthest->stale = true;
    }
}

InstantReplay::Kept* InstantReplay::nextWalk()
{
    const auto walks = [this](const Kept* kept) {
        return kept != nullptr && kept != shown_ && kept != claimed_ && !kept->stale && !kept->busy &&
               kept->at < kept->wantedAt;
    };
    Kept* job = nullptr;
    for (Kept& kept : kept_)
        if (walks(&kept) && (job == nullptr || kept.rank < job->rank))
            job = &kept;
    return job;
}

InstantReplay::Kept* InstantReplay::headedFor()
{
    for (Kept& kept : kept_)
        if (!kept.stale && &kept != shown_ && kept.wantedAt == *goingTo_ && kept.at <= kept.wantedAt)
            return &kept;
    return nullptr;
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

void InstantReplay::work()
{
    // Each live step wakes this thread, and Linux would run it on the waker's
    // CPU, ahead of the waker: the live frame would stand still in record()
    // for a kept game's step, 1 to 5 ms at 10,000 dead, one step in three.
    neverPreemptTheWaker();
    Lock lock(mutex_);
    while (!quit_)
    {
        // Placed first: a far jump before every kept game sends one back to the start.
        placeKept();
        Kept* job = nullptr;
        for (Kept& kept : kept_)
            if (kept.stale && !kept.busy)
                job = &kept;
        if (job == nullptr)
            job = nextWalk();
        if (job == nullptr)
        {
            changed_.wait(lock);
            continue;
        }
        job->busy = true;
        if (job->stale)
        {
            // A fresh game is moment 0 of whichever game is live by the time it is built.
            lock.unlock();
            auto fresh = std::make_unique<TrailingGame>(
                make_, wholeFile_ ? TrailingGame::Unit::Frame : TrailingGame::Unit::Step);
            lock.lock();
            std::swap(job->game, fresh);
            job->at = 0;
            job->hash = StateHash();
            job->stale = false;
            job->busy = false;
            lock.unlock();
            fresh.reset();  // the game before F5, freed off the lock
            lock.lock();
        }
        else
        {
            playOn(lock, *job);
            job->busy = false;
        }
        changed_.notify_all();
    }
}
} // namespace tamrow
