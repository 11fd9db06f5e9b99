// libpng reports errors by jumping back to the setjmp in DecodeRows. The
// state that lives across the jump sits in one context object; the read
// callback and the error callback hold no C++ objects.
#include "anim/picture/png_reader.h"

#include <csetjmp>
#include <cstring>

#include <png.h>

#include "anim/picture/pixel_size.h"

namespace horavia::anim {

namespace {

constexpr std::uint64_t kMaxDeflateRatio = 1032;

struct PngContext {
  std::span<const std::uint8_t> bytes;
  std::size_t position = 0;
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<std::uint8_t> rows;
  std::vector<png_bytep> rowPointers;
  int width = 0;
  int height = 0;
  int colourType = 0;
  int sourceBitDepth = 0;
  int rowBytes = 0;
  std::uint32_t palette[256] = {};
  DecodeError error = DecodeError::DamagedData;  // what an error jump means
};

void ReadFromMemory(png_structp png, png_bytep data, png_size_t length) {
  auto* context = static_cast<PngContext*>(png_get_io_ptr(png));
  if (length > context->bytes.size() - context->position) {
    context->error = DecodeError::Truncated;
    png_error(png, "read Error");
  }
  std::memcpy(data, context->bytes.data() + context->position, length);
  context->position += length;
}

void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnorePngWarning(png_structp, png_const_charp) {}

void SetUpTransformations(PngContext& context) {
  png_structp png = context.png;
  png_infop info = context.info;
  png_color_16p background = nullptr;
  if (png_get_bKGD(png, info, &background)) {
    png_set_background(png, background, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
  }
  png_set_strip_16(png);
  png_set_packing(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// The size is checked as soon as the header is read, before any row is
// allocated (libpng's own limit of a million pixels a side is far above
// ours).
DecodeError DecodeRows(PngContext& context) {
  png_structp png = context.png;
  png_infop info = context.info;
  if (setjmp(png_jmpbuf(png))) return context.error;
  png_set_read_fn(png, &context, ReadFromMemory);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (const DecodeError error = PictureSizeError(width, height); error != DecodeError::None) return error;
  context.width = static_cast<int>(width);
  context.height = static_cast<int>(height);
  context.sourceBitDepth = png_get_bit_depth(png, info);
  // Deflate codes at most 258 bytes in two bits: a file too short to hold
  // its rows (and their filter bytes) is refused before they are allocated.
  const std::uint64_t storedBytes = (std::uint64_t{png_get_rowbytes(png, info)} + 1) * height;
  if (storedBytes > std::uint64_t{context.bytes.size()} * kMaxDeflateRatio) return DecodeError::Truncated;

  SetUpTransformations(context);
  context.colourType = png_get_color_type(png, info);
  context.rowBytes = static_cast<int>(png_get_rowbytes(png, info));
  // After the transformations a row holds at most 4 bytes per pixel.
  if (context.rowBytes <= 0 || context.rowBytes > context.width * 4) return DecodeError::Unsupported;

  png_colorp palette = nullptr;
  int paletteSize = 0;
  if (context.colourType == PNG_COLOR_TYPE_PALETTE && png_get_PLTE(png, info, &palette, &paletteSize)) {
    for (int i = 0; i < paletteSize && i < 256; ++i) {
      context.palette[i] = static_cast<std::uint32_t>(palette[i].red) << 16 | palette[i].green << 8 | palette[i].blue;
    }
  }

  context.rows.resize(static_cast<std::size_t>(context.rowBytes) * context.height);
  context.rowPointers.resize(static_cast<std::size_t>(context.height));
  for (int y = 0; y < context.height; ++y) {
    context.rowPointers[y] = context.rows.data() + static_cast<std::size_t>(y) * context.rowBytes;
  }
  png_read_image(png, context.rowPointers.data());
  png_read_end(png, nullptr);
  return DecodeError::None;
}

// B, G, R bytes with the fourth byte as transparency.
inline std::uint32_t Pixel(std::uint32_t red, std::uint32_t green, std::uint32_t blue, std::uint32_t transparency) {
  return transparency << 24 | red << 16 | green << 8 | blue;
}

void ConvertRows(const PngContext& context, PngPixels& out) {
  const int depth = context.sourceBitDepth >= 8 ? 8 : context.sourceBitDepth;
  const std::uint32_t greyStep = 255u / ((1u << depth) - 1);
  for (int y = 0; y < context.height; ++y) {
    const std::uint8_t* in = context.rowPointers[y];
    std::uint32_t* row = out.pixels.data() + static_cast<std::size_t>(y) * context.width;
    for (int x = 0; x < context.width; ++x) {
      switch (context.colourType) {
        case PNG_COLOR_TYPE_RGB_ALPHA:
          row[x] = Pixel(in[x * 4], in[x * 4 + 1], in[x * 4 + 2], 255u - in[x * 4 + 3]);
          break;
        case PNG_COLOR_TYPE_RGB:
          row[x] = Pixel(in[x * 3], in[x * 3 + 1], in[x * 3 + 2], 0);
          break;
        case PNG_COLOR_TYPE_PALETTE:
          row[x] = context.palette[in[x]];
          break;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
          row[x] = Pixel(in[x * 2], in[x * 2], in[x * 2], 255u - in[x * 2 + 1]);
          break;
        default: {
          const std::uint32_t grey = (in[x] * greyStep) & 0xFF;
          row[x] = Pixel(grey, grey, grey, 0);
        }
      }
    }
  }
}

}  // namespace

bool HasPngSignature(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= sizeof kPngSignature && std::memcmp(bytes.data(), kPngSignature, sizeof kPngSignature) == 0;
}

Decoded<PngPixels> ReadPng(std::span<const std::uint8_t> bytes) {
  if (!HasPngSignature(bytes)) return DecodeError::UnknownFormat;
  PngContext context;
  context.bytes = bytes;
  context.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, IgnorePngWarning);
  if (!context.png) return DecodeError::TooLarge;  // out of memory
  context.info = png_create_info_struct(context.png);
  const DecodeError error = context.info != nullptr ? DecodeRows(context) : DecodeError::TooLarge;
  png_destroy_read_struct(&context.png, context.info ? &context.info : nullptr, nullptr);
  if (error != DecodeError::None) return error;

  PngPixels out;
  out.width = context.width;
  out.height = context.height;
  out.pixels.resize(static_cast<std::size_t>(context.width) * context.height);
  ConvertRows(context, out);
  return out;
}

}  // namespace horavia::anim
