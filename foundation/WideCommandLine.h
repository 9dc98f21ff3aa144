// WideCommandLine: the command line read in UTF-16, so that an argument naming a file outside the
// code page still reaches the program as a path it can open.
#pragma once

#include "foundation/AnsiPath.h"
#include "foundation/CommandLine.h"

// Parses `wide` into `line` by the rules of TCommandLine. Each argument becomes the path
// OpenableAnsiPath gives its UTF-16 text; one that has none is left out and noted in `leftOut`.
void ParseWideCommandLine(const wchar_t* wide, TCommandLine& line, TLeftOutPaths& leftOut);

// The process's own command line (GetCommandLineW) into ProcessCommandLine().
void ParseProcessCommandLine();
// The arguments of the process's command line that were left out.
const TLeftOutPaths& LeftOutArguments();
