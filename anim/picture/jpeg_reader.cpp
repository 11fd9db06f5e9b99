// libjpeg reports errors through a callback that must not return; it jumps
// back to ReadJpeg's setjmp. Everything that lives across the jump sits in
// one context object whose address libjpeg holds, and no C++ frame with a
// destructor lies between the setjmp and libjpeg's callback.
#include "anim/picture/jpeg_reader.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "anim/picture/pixel_size.h"

namespace horavia::anim {

namespace {

// libjpeg may use this much for coefficient buffers of progressive files.
constexpr long kMaxJpegWorkingMemory = 512L << 20;

struct JpegContext {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  std::jmp_buf failure{};
  std::vector<std::uint8_t> rgbRows;  // top row first, 3 bytes per pixel
};

[[noreturn]] void OnJpegError(j_common_ptr info) {
  auto* context = static_cast<JpegContext*>(info->client_data);
  std::longjmp(context->failure, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

// Decodes into context.rgbRows; false on any libjpeg error or a picture too
// large to accept.
bool DecodeRows(JpegContext& context, std::span<const std::uint8_t> bytes) {
  jpeg_decompress_struct& info = context.info;
  if (setjmp(context.failure)) return false;
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (!CheckedPixelCount(info.image_width, info.image_height)) return false;
  jpeg_start_decompress(&info);
  const int components = info.output_components;
  if (components != 1 && components != 3) return false;  // CMYK and others are not shown

  const std::size_t width = info.output_width;
  context.rgbRows.resize(width * info.output_height * 3);
  while (info.output_scanline < info.output_height) {
    std::uint8_t* row = context.rgbRows.data() + info.output_scanline * width * 3;
    JSAMPROW rowPointer = row;
    if (jpeg_read_scanlines(&info, &rowPointer, 1) != 1) return false;
    if (components == 1) {
      // Spread the grey values over three channels, from the right end so
      // that none is overwritten before it is read.
      for (std::size_t x = width; x-- > 0;) row[x * 3] = row[x * 3 + 1] = row[x * 3 + 2] = row[x];
    }
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

std::optional<PictureRecord> ReadJpeg(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return std::nullopt;
  JpegContext context;
  context.info.err = jpeg_std_error(&context.errors);
  context.errors.error_exit = OnJpegError;
  context.errors.output_message = IgnoreJpegMessage;
  context.info.client_data = &context;
  jpeg_create_decompress(&context.info);
  context.info.mem->max_memory_to_use = kMaxJpegWorkingMemory;
  const bool decoded = DecodeRows(context, bytes);
  const int width = static_cast<int>(context.info.output_width);
  const int height = static_cast<int>(context.info.output_height);
  jpeg_destroy_decompress(&context.info);
  if (!decoded) return std::nullopt;

  // Record layout: B, G, R with the bottom row first.
  PictureRecord record;
  record.kind = PictureKind::Jpeg;
  record.width = width;
  record.height = height;
  record.pixels.resize(context.rgbRows.size());
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* in = context.rgbRows.data() + static_cast<std::size_t>(height - 1 - y) * rowBytes;
    std::uint8_t* out = record.pixels.data() + static_cast<std::size_t>(y) * rowBytes;
    for (std::size_t i = 0; i < rowBytes; i += 3) {
      out[i] = in[i + 2];
      out[i + 1] = in[i + 1];
      out[i + 2] = in[i];
    }
  }
  return record;
}

}  // namespace horavia::anim
