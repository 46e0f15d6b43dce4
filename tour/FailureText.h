#pragma once

#include "game/Failure.h"

#include <string>

// A failure as the desktop says it, in one line without the program's name: "cannot write
// 'x.gif': the disk is full", "run-time error in 'fire': ...", "out of memory". The window's
// dialogs and notices show it.
std::string failureText(const Failure& failure);

// The same as a command line says it, after its name: a tour's step in terms of the option that
// gave it ("--play step 2 'fire': ...", "--size: ..."), and running out of memory the same
// whatever ran out, since there is nothing the caller can do about that one file.
std::string commandLineText(const Failure& failure);
