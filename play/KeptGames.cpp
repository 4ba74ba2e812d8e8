// The instant replay's worker: where the kept games are wanted, and walking
// them there, the most wanted first.
#include "play/InstantReplay.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
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

/// How much of each new timing the running mean of a step's cost takes in.
constexpr double StepCostWeight = 0.1;

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
