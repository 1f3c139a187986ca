// Writes small JPEG files for the tests with libjpeg.
#pragma once

#include <string>

// A width x height image of one colour; returns false when it cannot be written.
bool writeSolidJpeg(const std::string& path, int width, int height, unsigned char red, unsigned char green,
                    unsigned char blue);
