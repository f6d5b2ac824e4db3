#pragma once
// Sprite set numbers of the demo's creatures, shots and pet, and their writers.

#include "demo/demo.h"

namespace demo {

// Monster species (rows 0-6).
constexpr int kSlimeSet = 200;   // a jelly that leaps at what is above it
constexpr int kBeetleSet = 201;  // a horned beetle: its horn hurts to touch
constexpr int kCrabSet = 202;    // a stone crab that spits rocks
constexpr int kFlowerSet = 203;  // a flower that fires seeds
constexpr int kBatSet = 204;     // a cave bat that drops acid
constexpr int kShroomSet = 205;  // a mushroom guard with a spear
// Bosses (rows 0-9).
constexpr int kTreantSet = 300;  // shooter
constexpr int kBoarSet = 301;    // charger
constexpr int kShotSet = 1003;
constexpr int kPetSet = 123;

void writeCreatures(const DemoContext& ctx);  // monsters and bosses
void writeShots(const DemoContext& ctx);      // set 1003
void writePet(const DemoContext& ctx);        // set 123
// Monster and boss files of every map, from sources/enemies.txt.
void writeEnemies(const DemoContext& ctx);

}  // namespace demo
