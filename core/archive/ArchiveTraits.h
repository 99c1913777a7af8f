#pragma once
// Class versions and export keys of every archived class, seen by every archive
// translation unit so that all of them agree. Add a line per class here.

#include <boost/serialization/export.hpp>
#include <boost/serialization/version.hpp>
