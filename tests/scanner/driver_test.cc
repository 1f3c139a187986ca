#include <gtest/gtest.h>

#include "scanner/scanner.h"
