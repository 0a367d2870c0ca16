// Quitting cleanly under the leak checker of a sanitizer build: the system libraries' own
// allocations stay named, and their suppressions are built into the program.
#pragma once

// Keeps every library loaded so far in memory until the process ends: SDL unloads the GL driver
// when it shuts down, and the leak checker could then no longer name (so no longer suppress)
// what the driver keeps allocated. Called at the end of start-up.
void keepLoadedLibraries();
