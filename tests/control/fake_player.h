#pragma once
// The fake player control: a test-only module with FormPlayer's interfaces that
// records how the host calls it and raises the events a test asks for. A test
// registers it under FormPlayer's class id in its scratch registry and reaches its
// record through the functions it exports.
#include "player/corvane/corvane_tlb.h"

// How the instances made from now on behave.
enum FakeMode : int {
  kFakeNormal = 0,
  kFakeNoFormPlayer = 1,  // answers IDispatch, but not IFormPlayer
  kFakeNoEvents = 2,      // has no connection point for IFormPlayerEvents
};

// The exported functions, by name and type.
// Sets the mode and clears the record.
inline constexpr const char* kFakeStart = "FakeStart";
using FakeStartFn = void (*)(int mode);
// What the host did, one line a call: "StartPlay \"text\"" (or "StartPlay null"),
// "Mute 1", "Load Name=Value", "put Volume 50", "get Volume", ...
inline constexpr const char* kFakeCalls = "FakeCalls";
using FakeCallsFn = const char* (*)();
// Raises event id on the live instance with the arguments its declaration takes:
// OnKeyPress the key n (returns what the host left in it), OnError (n, text),
// OnChangeMsg (text), OnScreenSize (n, m); any other id, none, unless args says how
// many 32-bit zeros to send (-1: as declared).
inline constexpr const char* kFakeRaise = "FakeRaise";
using FakeRaiseFn = LONG (*)(DISPID id, LONG n, LONG m, const char* text, int args);

// A Volume put of this value fails with this description.
inline constexpr LONG kFakeRefusedVolume = 999;
inline constexpr const char* kFakeRefusal = "The fake player refused the volume.";
