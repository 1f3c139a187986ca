#include "desktop/core/jpeg_image.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#include "desktop/core/toolkit_error.h"

namespace {

// libjpeg's default error handler ends the process; this one jumps back to the
// decoder with the message kept. The decompressor lives here too, in the
// caller's frame, so that its state is still defined after the jump (locals of
// the frame that called setjmp and changed since are not).
struct DecodeErrors {
  jpeg_error_mgr manager;
  std::jmp_buf resume;
  char message[JMSG_LENGTH_MAX];
  jpeg_decompress_struct info;
};

void keepMessageAndResume(j_common_ptr info) {
  DecodeErrors* errors = reinterpret_cast<DecodeErrors*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->resume, 1);
}

void ignoreWarning(j_common_ptr) {}

// The decoding proper. No object with a destructor lives in this frame, so the
// jump from the error handler skips nothing but libjpeg's own C frames. Returns
// false with errors.message set on failure.
bool decodeInto(std::FILE* file, DecodeErrors& errors, RgbImage* image) {
  jpeg_decompress_struct& info = errors.info;
  std::memset(&info, 0, sizeof info);
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = keepMessageAndResume;
  errors.manager.output_message = ignoreWarning;
  if (setjmp(errors.resume)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image->width = static_cast<int>(info.output_width);
  image->height = static_cast<int>(info.output_height);
  size_t rowBytes = static_cast<size_t>(info.output_width) * 3;
  // Sized once before any row is read, so no allocation can be cut short by a jump.
  try {
    image->pixels.resize(rowBytes * info.output_height);
  } catch (...) {
    jpeg_destroy_decompress(&info);
    throw;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image->pixels.data() + rowBytes * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

RgbImage decodeJpegFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) throw ToolkitError("Cannot open the image file " + path + ": " + std::strerror(errno));
  DecodeErrors errors{};
  RgbImage image;
  bool decoded = decodeInto(file, errors, &image);
  std::fclose(file);
  if (!decoded) throw ToolkitError("Cannot decode the image file " + path + ": " + errors.message);
  return image;
}
