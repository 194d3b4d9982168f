// A blocking message with one OK button, for start-up failures the player
// must see before the program ends.
#pragma once

// Writes the UTF-8 text to stderr, then shows it in a modal box with one OK
// button and waits until the box is closed. Without a display, or when the
// environment sets KESTRUNE_NO_MESSAGE_BOX=1 (tests), stderr alone is used.
void ShowMessageBox(const char* text);
