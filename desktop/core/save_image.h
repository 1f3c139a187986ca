// Saving a plot image under a name the user chooses.
#pragma once

#include <string>

struct SharedState;

enum class PlotImage { Curtain, Profile };

// The name of the data file the images to save were made from: the file-name
// part of the state's PlottedFile, or its DataFileName while no plot was made.
std::string plottedFileName(const SharedState& state);

// The data file's name up to its last '.' ("" when it has none or begins with it).
std::string imageBaseName(const std::string& dataFileName);

// The name the save dialog suggests: the base name with "_curtain.jpg" or
// "_profile.jpg".
std::string suggestedImageName(const std::string& dataFileName, PlotImage image);

// The chosen name, with ".jpg" appended unless its extension is ".jpg" or
// ".jpeg" in any case.
std::string imageTargetName(const std::string& chosen);

// Copies the image from the start folder `startDir` to the target made from
// `chosen`, replacing an existing file. When ".jpg" was appended and that file
// exists, asks first (the dialog only asked about the name as chosen). A copy
// failure is shown in a box that names the image and gives the error code.
// Returns true when the image was saved.
bool saveImage(const std::string& startDir, PlotImage image, const std::string& chosen);
