#include "collation.h"

#include "test_support.h"
