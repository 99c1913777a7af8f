#pragma once

// The largest and the smallest of one kind of effect.
template <class T>
struct CriticalPair {
    T max;
    T min;
};
