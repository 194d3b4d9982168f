// What touching enemies costs a playable character: every enemy it overlaps
// deals its attack, except that a wizard is harmless to touch and a wyvern
// hurts only while diving, once per dive.
#pragma once

class ObjCharacter;

// Runs the character's broad phase and applies the contact damage of every
// enemy in its hit list, in list order.
void TakeEnemyContactDamage(ObjCharacter& player);
