#pragma once

// How a property setter keeps its value: a setter repaints, lays out again
// or tells its owner only when the value really changed, so a stored form
// that sets every property once costs no work for the values left as they were.

namespace klarvo {

// Stores `value` in `field`; true when it differed from what was there.
template <typename T> bool Store(T& field, const T& value)
{
    if (field == value) {
        return false;
    }
    field = value;
    return true;
}

// An enumerated value from first to last; a setter drops any other.
template <typename E> constexpr bool Within(E value, E first, E last)
{
    return value >= first && value <= last;
}

// Stores an enumerated value from first to last; any other changes nothing.
template <typename E> bool Store(E& field, E value, E first, E last)
{
    return Within(value, first, last) && Store(field, value);
}

} // namespace klarvo
