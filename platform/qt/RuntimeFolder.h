#pragma once
// The runtime folder Qt looks into as it starts. Without XDG_RUNTIME_DIR (a
// shell as root on a fresh machine, file managers' sandboxes, package builds)
// Qt warns on stderr and makes a shared one in the temporary folder; such a
// run gets a private folder of its own instead, made with mode 0700, named
// by the process ("tolva-sudoku-runtime-<pid>.XXXXXX" in TMPDIR or /tmp),
// and removed again however the process ends, short of being killed. What a
// killed run left, the next start removes.

namespace qtws {

// Removes the runtime folders of this user's runs whose process is gone;
// then makes the folder and names it in XDG_RUNTIME_DIR, when the
// environment names none. Its removal is also registered for an exit() from
// anywhere.
void MakeRuntimeFolder();
// Removes the folder made, if any, and takes its name out of the
// environment again. Call it before any other way out of the process
// (_Exit, _exit), which runs no exit handlers.
void RemoveRuntimeFolder();

}  // namespace qtws
