#pragma once

// A replay file holds everything a game took from the player, frame by frame,
// and the state hash after each frame. Integers are little-endian.
//
//   header  8 bytes  "TAMROWRP"
//           u32      format version, ReplayVersion
//   frame   u8       'F'
//           u8       keys held: bit 0 W, 1 A, 2 S, 3 D, 4 Q, 5 E, 6 Z, 7 X
//           u32      n, the frame's window events (at most MaxEventsPerFrame)
//           n times  u8 InputEvent::Kind (0 other, 1 close, 2 resize, 3 zoom,
//                    4 pause, 5 start again, 6 overlays, 7 city map, 8 zoom
//                    back), then for a resize
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
// killed leaves its whole pieces, which replay. The end record is written when
// the game ends: a file without it was not finished. Version 1 (OldestReplayVersion)
// has no checks: its frames follow the header, then the end record.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>

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
