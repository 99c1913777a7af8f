#include "core/bounds/Subscript.h"

#include <stdexcept>

// Out of line: the checks stand in hot loops, where the throw should cost nothing until it happens.
void ThrowInvalidSubscript()
{
    throw std::out_of_range("invalid vector<T> subscript");
}
