// The rate table and staged evaluation.
#include <gtest/gtest.h>
#include "costmodel.h"
using namespace costmodel;
