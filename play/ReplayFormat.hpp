#pragma once

// A replay file holds everything a game took from the player, frame by frame,
// and the state hash after each frame. Integers are little-endian.
//
//   header  8 bytes  "TAMROWRP"
//           u32      format version, ReplayVersion
//   frame   u8       'F'
//           u8       keys held: bit 0 walk_up, 1 walk_left, 2 walk_down,
//                    3 walk_right, 4 recruit_hooligans, 5 recruit_police,
//                    6 zoom_out, 7 zoom_in (keyBit)
//           u32      n, the frame's window events (at most MaxEventsPerFrame)
//           n times  u8 event code (eventCode: 0 other, 1 close, 2 resize,
//                    3 zoom, 4 pause, 5 start_again, 6 toggle_marks,
//                    7 toggle_map, 8 zoom_back, 9 slower, 10 faster), then for a resize
//                    u32 width and u32 height (px), for a zoom i32 steps
//           u64      StateHash::value() after the frame, folded from the first
//   check   u8       'C'
//           u64      FNV-1a (64-bit) of every byte of the file before this field
//   ...     frames in pieces, each closed by a check, at most FramesPerPiece
//           frames or MaxPieceWait of real time apart, the last by the end
//   end     u8       'E'
//           u64      frames recorded
//           u64      FNV-1a (64-bit) of every byte of the file before this field
//
// Each piece goes to the disk as soon as its check is written: a game that is
// killed leaves its whole pieces, which replay. A frame is a shown frame: the
// world steps it ran follow from the speed its slower and faster events (and
// F5, back to x1) have set, so a file without them plays at x1, one step a frame. The end record is written when
// the game ends: a file without it was not finished. Version 1 (OldestReplayVersion)
// has no checks: its frames follow the header, then the end record.

#include "play/FrameInput.hpp"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace tamrow
{
constexpr std::array<char, 8> ReplayMagic = {'T', 'A', 'M', 'R', 'O', 'W', 'R', 'P'};
constexpr std::uint32_t ReplayVersion = 2;
/// The oldest version still played.
constexpr std::uint32_t OldestReplayVersion = 1;
constexpr unsigned char FrameTag = 'F';
constexpr unsigned char CheckTag = 'C';
constexpr unsigned char EndTag = 'E';
/// Magic and version.
constexpr std::size_t ReplayHeaderBytes = 12;
/// Tag, frame count, checksum.
constexpr std::size_t ReplayEndBytes = 17;
/// Frames of one piece at most: half a second of play.
constexpr std::size_t FramesPerPiece = 30;
/// Real time a frame waits at most for its piece to go to the disk, however slow the frames.
constexpr std::chrono::milliseconds MaxPieceWait(500);
/// More window events than a frame ever brings (a frame is 1/60 s): a larger
/// count is damage, not play.
constexpr std::uint32_t MaxEventsPerFrame = 100000;
/// Wheel steps of one event beyond which the zoom is long at its bound either way.
constexpr std::int32_t MaxZoomSteps = 1000;
/// A window side (px) beyond any screen.
constexpr std::uint32_t MaxWindowSide = 65536;
/// Ten hours of play are far below this (bytes): a larger file is not read into memory.
constexpr std::uint64_t MaxReplayBytes = 1ull << 30;

/// The code of the first played action once per press; the others follow it in
/// the order of Actions, after the kinds of events that are no action.
constexpr unsigned char FirstActionCode = static_cast<unsigned char>(InputEvent::Kind::Act);

/// How the file stores `event`'s kind, or its action.
constexpr unsigned char eventCode(const InputEvent& event)
{
    return event.kind == InputEvent::Kind::Act ? static_cast<unsigned char>(FirstActionCode + rankOf(event.action))
                                               : static_cast<unsigned char>(event.kind);
}

/// The event of `code`, its values still to be read; nothing for a code no event has.
inline std::optional<InputEvent> eventOfCode(unsigned char code)
{
    InputEvent event;
    if (code < FirstActionCode)
    {
        event.kind = static_cast<InputEvent::Kind>(code);
        return event;
    }
    for (const ActionRow& row : Actions)
    {
        event.kind = InputEvent::Kind::Act;
        event.action = row.action;
        if (row.press == Press::Once && row.reach == Reach::Played && eventCode(event) == code)
            return event;
    }
    return std::nullopt;
}

// The recordings made so far hold these codes: they never change.
static_assert(keyBit(Action::WalkUp) == 1 && keyBit(Action::WalkRight) == 8 && keyBit(Action::RecruitHooligans) == 16 &&
              keyBit(Action::RecruitPolice) == 32 && keyBit(Action::ZoomIn) == 128);
static_assert(eventCode(actEvent(Action::Pause)) == 4 &&
              eventCode(actEvent(Action::StartAgain)) == 5 &&
              eventCode(actEvent(Action::ToggleMarks)) == 6 &&
              eventCode(actEvent(Action::ToggleMap)) == 7 &&
              eventCode(actEvent(Action::ZoomBack)) == 8 &&
              eventCode(actEvent(Action::Slower)) == 9 &&
              eventCode(actEvent(Action::Faster)) == 10);
/// A frame's keys are one byte: a ninth held, played action needs a new format version.
static_assert([] {
    unsigned held = 0;
    for (const ActionRow& row : Actions)
        held += row.press == Press::Held && row.reach == Reach::Played;
    return held <= 8;
}());
} // namespace tamrow
