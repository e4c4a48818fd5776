// The reverse search.
#include <gtest/gtest.h>
#include "literal_search.h"
using namespace costmodel;
