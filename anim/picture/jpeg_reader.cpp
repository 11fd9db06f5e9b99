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
// A progressive file passes over all its coefficients once a scan, and the
// scans are as many as the file asks for; real files have about ten.
constexpr int kMaxJpegScans = 100;
// With Huffman coding every 8 × 8 block takes at least one bit of its first
// scan (a code is at least a bit long), so a complete file holds at least a
// byte per 512 pixels. A header that claims more pixels than its file could
// code is a file cut short, and decoding the rest from nothing would cost
// work its bytes never paid for. (Arithmetic coding can do better, and is
// left alone.)
constexpr std::uint64_t kMaxPixelsPerByte = 512;

struct JpegContext {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  jpeg_progress_mgr progress{};
  std::jmp_buf failure{};
  DecodeError error = DecodeError::DamagedData;  // what a jump back means
  std::vector<std::uint8_t> rgbRows;  // top row first, 3 bytes per pixel
};

[[noreturn]] void OnJpegError(j_common_ptr info) {
  auto* context = static_cast<JpegContext*>(info->client_data);
  std::longjmp(context->failure, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

void LimitScans(j_common_ptr common) {
  auto* info = reinterpret_cast<j_decompress_ptr>(common);
  if (info->is_decompressor && info->input_scan_number > kMaxJpegScans) {
    static_cast<JpegContext*>(info->client_data)->error = DecodeError::Unsupported;
    OnJpegError(common);
  }
}

// Decodes into context.rgbRows; DamagedData on any libjpeg error, or why
// the picture is not accepted.
DecodeError DecodeRows(JpegContext& context, std::span<const std::uint8_t> bytes) {
  jpeg_decompress_struct& info = context.info;
  if (setjmp(context.failure)) return context.error;
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return DecodeError::Truncated;
  if (const DecodeError error = PictureSizeError(info.image_width, info.image_height); error != DecodeError::None) {
    return error;
  }
  if (!info.arith_code && std::uint64_t{info.image_width} * info.image_height > bytes.size() * kMaxPixelsPerByte) {
    return DecodeError::Truncated;
  }
  jpeg_start_decompress(&info);
  const int components = info.output_components;
  if (components != 1 && components != 3) return DecodeError::Unsupported;  // CMYK and others are not shown

  const std::size_t width = info.output_width;
  context.rgbRows.resize(width * info.output_height * 3);
  while (info.output_scanline < info.output_height) {
    std::uint8_t* row = context.rgbRows.data() + info.output_scanline * width * 3;
    JSAMPROW rowPointer = row;
    if (jpeg_read_scanlines(&info, &rowPointer, 1) != 1) return DecodeError::Truncated;
    if (components == 1) {
      // Spread the grey values over three channels, from the right end so
      // that none is overwritten before it is read.
      for (std::size_t x = width; x-- > 0;) row[x * 3] = row[x * 3 + 1] = row[x * 3 + 2] = row[x];
    }
  }
  jpeg_finish_decompress(&info);
  return DecodeError::None;
}

}  // namespace

Decoded<PictureRecord> ReadJpeg(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return DecodeError::Truncated;
  JpegContext context;
  context.info.err = jpeg_std_error(&context.errors);
  context.errors.error_exit = OnJpegError;
  context.errors.output_message = IgnoreJpegMessage;
  context.info.client_data = &context;
  jpeg_create_decompress(&context.info);
  context.info.mem->max_memory_to_use = kMaxJpegWorkingMemory;
  context.progress.progress_monitor = LimitScans;
  context.info.progress = &context.progress;
  const DecodeError error = DecodeRows(context, bytes);
  const int width = static_cast<int>(context.info.output_width);
  const int height = static_cast<int>(context.info.output_height);
  jpeg_destroy_decompress(&context.info);
  if (error != DecodeError::None) return error;

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
