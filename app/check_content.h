// --check-content: loads every model, image and sound the game uses through
// the game's own readers, prints one line per file, and reports failures on
// stderr; a model whose blocks are unbalanced or misplaced fails too, with
// the line where it goes wrong. For anyone who replaces our content with
// their own.
#pragma once

// Returns the process exit status: 0 when every file passed, 1 otherwise.
int RunContentCheck();
