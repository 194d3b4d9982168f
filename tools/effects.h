// The thirteen sound effects, each under a second and a half.
#pragma once

#include <vector>

std::vector<float> ConfirmChime();   // menu confirm: a bright two-note chime
std::vector<float> SlashRising();    // first sword swing
std::vector<float> SlashFalling();   // second sword swing
std::vector<float> SlashFinisher();  // third swing: a long sweep with a ring
std::vector<float> PoisonMagic();    // bubble ring: a shimmering minor arpeggio
std::vector<float> ShotPew();        // fire ball: a quick pitch drop
std::vector<float> HitThud();        // any hit: a thud with a click
std::vector<float> BeamCharge();     // wyvern dive: a falling beam
std::vector<float> HeavySlash();     // dive strike: a slash landing with weight
std::vector<float> QuickThrust();    // spear thrust: a short bright swish
std::vector<float> Ricochet();       // magic bolt launch
std::vector<float> AttackSurge();    // magic bolt turns to its target
std::vector<float> LockOnBlip();     // camera lock-on
