#include "desktop/core/save_image.h"

#include <filesystem>

#include "desktop/core/file_names.h"
#include "desktop/core/plot_files.h"
#include "desktop/core/shared_state.h"
#include "platform/message_box.h"
#include "platform/text.h"

std::string plottedFileName(const SharedState& state) {
  return state.PlottedFile.empty() ? state.DataFileName : fileNamePart(state.PlottedFile);
}

std::string imageBaseName(const std::string& dataFileName) {
  size_t dot = dataFileName.rfind('.');
  if (dot == std::string::npos || dot == 0) return std::string();
  return dataFileName.substr(0, dot);
}

std::string suggestedImageName(const std::string& dataFileName, PlotImage image) {
  return imageBaseName(dataFileName) + (image == PlotImage::Curtain ? "_curtain.jpg" : "_profile.jpg");
}

std::string imageTargetName(const std::string& chosen) {
  std::string name = fileNamePart(chosen);
  size_t dot = name.rfind('.');
  std::string extension = platform::toLowerAscii(dot == std::string::npos ? std::string() : name.substr(dot));
  if (extension == ".jpg" || extension == ".jpeg") return chosen;
  return chosen + ".jpg";
}

bool saveImage(const std::string& startDir, PlotImage image, const std::string& chosen) {
  std::string source = startDirFile(startDir, image == PlotImage::Curtain ? kCurtainImageName : kProfileImageName);
  std::string target = imageTargetName(chosen);
  std::error_code ec;
  if (target != chosen && std::filesystem::exists(target, ec)) {
    platform::BoxAnswer answer = platform::showMessageBox(
        target + " already exists.\nDo you want to replace it?", "Saving image to file ... ",
        platform::BoxIcon::Warning, platform::BoxButtons::YesNoCancel);
    if (answer != platform::BoxAnswer::Yes) return false;
  }
  std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing, ec);
  if (ec) {
    // The box names the image that could not be saved.
    bool curtain = image == PlotImage::Curtain;
    platform::showMessageBox(
        platform::formatText(curtain ? "Saving Curtain Plot Image Failed (Err = %d)."
                                     : "Saving Profile Plot Image Failed (Err = %d).",
                             ec.value()),
        curtain ? "Saving Curtain Plot Failed??" : "Saving Profile Plot Failed??");
    return false;
  }
  return true;
}
