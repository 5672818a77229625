#include "file_access.h"

#include "test_support.h"
