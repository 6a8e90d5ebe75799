#pragma once

#include "tap/Tap.h"

namespace test
{
/** Moves a tap the way the host would, through its parameters. */
inline void place (tap::Tap& t, float x, float y, float z)
{
    t.x->setValueNotifyingHost (t.x->convertTo0to1 (x));
    t.y->setValueNotifyingHost (t.y->convertTo0to1 (y));
    t.z->setValueNotifyingHost (t.z->convertTo0to1 (z));
}

inline void setActive (tap::Tap& t, bool on)
{
    t.active->setValueNotifyingHost (on ? 1.0f : 0.0f);
}
} // namespace test
