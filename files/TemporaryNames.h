#pragma once

// The names of the temporary files being written, kept where a signal handler can reach them:
// a program ended by a signal first removes them. Names are copied into fixed storage, since a
// handler may not allocate, and changed with every signal blocked, so that a handler never sees
// half a name. A few at once are tracked; one more goes untracked.
namespace TemporaryNames {

// Tracks the name (before the file is made, so that no instant goes untracked): the slot to
// forget it by, or -1 when none is free or the name is too long.
int track(const char* path);
// Once the file has its final name or is gone.
void forget(int slot);
// Async-signal-safe: removes every tracked name. For a handler that then ends the program.
void removeAll();

} // namespace TemporaryNames
