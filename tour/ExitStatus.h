#pragma once

// How the game's programs end, for the scripts that run them: a command line they cannot use
// exits with UsageError, a failure while they run (a file that cannot be written) with
// RunFailure.
inline constexpr int UsageError = 2;
inline constexpr int RunFailure = 1;
