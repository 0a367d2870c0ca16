// The designer's unsaved work: the level in the editor with changes not yet saved, or the
// scratch level in play holding the edits of the last visit. Everything that would drop it
// asks first.
#pragma once

#include <string>

// A yes/no message box; the keys and the click that answered it do nothing more this frame
// (an Escape that answered no does not end the program).
bool askYesNo(std::string const& question);
bool hasUnsavedWork();
// True when there is no unsaved work, or the designer answered yes to the question.
bool mayDropUnsavedWork(std::string const& question);
