#include <gtest/gtest.h>

#include "scanner/filename_check.h"
