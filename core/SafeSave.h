// Saving a file so that the old one is never lost: the new contents go to a temporary file
// beside it, renamed over it only when complete.
#pragma once

#include <string>

// Replaces the contents of the file `name` with `contents`.
// - A symbolic link is followed: the file it points at is saved, and the link stays.
// - An existing file that the process may not write is left alone: the save fails.
// - The saved file keeps the old file's mode, and its owner and group where the process may
//   set them; a new file gets the usual mode for new files.
// - When no temporary file can be made beside it (a read-only folder), the file is written
//   in place, and its old contents are put back when that write fails. Killed at any step,
//   it reads as the old or the new contents, perhaps followed by blanks.
// - Temporary files left in the folder by processes that were killed while saving are
//   removed.
// - A file-size limit makes the save fail instead of ending the program.
// False when the save failed, with `why` saying why for the log; the old file is then as it
// was.
bool saveFileSafely(std::string const& name, std::string const& contents, std::string& why);

// Called with the name of each step of the in-place write as it is done ("read", "opened",
// "written", "truncated", "synced"); null for none. For tests that end a save half-way.
void setSaveStepHook(void (*hook)(char const* step));
