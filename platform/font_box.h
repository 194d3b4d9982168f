// A message box of our own, drawn with the desktop's client-side fonts.
#pragma once

// Opens a fixed-size dialog titled `title` that shows the UTF-8 `text` and
// one OK button, and waits until it is closed (OK, Enter, Space, Escape or
// the window manager's close). Returns false, showing nothing, when no X
// display can be opened.
bool ShowFontBox(const char* title, const char* text);
