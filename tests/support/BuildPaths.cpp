#include "support/BuildPaths.hpp"

namespace tamrow
{
const char* const SourceFolder = TAMROW_SOURCE_DIR;
const char* const BuildFolder = TAMROW_BUILD_DIR;
const char* const GameProgram = TAMROW_BINARY;
const char* const HeadlessProgram = TAMROW_HEADLESS;
} // namespace tamrow
