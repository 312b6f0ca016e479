// The host's growable vector.
#pragma once

#include "SDKTypes.h"

#include <vector>

template <class T> class K2Vector : public std::vector<T> {
public:
    using std::vector<T>::vector;
    int32 Length() const { return static_cast<int32>(this->size()); }
};

template <class T> using K2VectorBase = K2Vector<T>;
