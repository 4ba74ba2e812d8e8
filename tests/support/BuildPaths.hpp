#pragma once

namespace tamrow
{
// Where this build's sources and programs lie (absolute paths). They are
// compiled into BuildPaths.cpp alone, so that no other file's compiler command
// names the clone's folder, and a compiler cache serves a clone made elsewhere.

/// The repository's root, where the tests run.
extern const char* const SourceFolder;
/// The build's top folder, where tests leave what they showed.
extern const char* const BuildFolder;
/// The game's program, and the headless tool's.
extern const char* const GameProgram;
extern const char* const HeadlessProgram;
} // namespace tamrow
