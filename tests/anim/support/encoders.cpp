// Index
//   LZW and GIF   EncodeLzw, ToSubBlocks, EncodeGif
//   BMP           true colour and palette
//   PCX           run-length coding
//   icons         24-bit DIB entries with AND masks, or PNG entries
//   PNG, JPEG     through libpng and libjpeg
//   reference     libpng's own expansion
#include "tests/anim/support/encoders.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <jpeglib.h>
#include <png.h>

namespace horavia::anim::testing {

namespace {

void Put16(Bytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

class BitWriter {
 public:
  void write(unsigned code, int bits) {
    buffer_ |= static_cast<std::uint64_t>(code) << count_;
    count_ += bits;
    while (count_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(buffer_));
      buffer_ >>= 8;
      count_ -= 8;
    }
  }
  Bytes finish() {
    if (count_ > 0) out_.push_back(static_cast<std::uint8_t>(buffer_));
    return out_;
  }

 private:
  Bytes out_;
  std::uint64_t buffer_ = 0;
  int count_ = 0;
};

}  // namespace

// [SECTION] LZW and GIF

Bytes EncodeLzw(const std::vector<std::uint8_t>& indices, int minimumCodeSize, LzwOptions options) {
  const unsigned clear = 1u << minimumCodeSize;
  const unsigned end = clear + 1;
  // table[prefix * 256 + byte] = code, 0 = none.
  std::vector<std::uint16_t> table(4096 * 256, 0);
  unsigned nextCode = clear + 2;
  // The decoder's view: its code size follows its own table, one entry
  // behind ours.
  int size = minimumCodeSize + 1;
  unsigned decoderNext = clear + 2;
  bool decoderHasPrevious = false;
  BitWriter bits;

  auto emit = [&](unsigned code) {
    bits.write(code, size);
    if (code == clear) {
      size = minimumCodeSize + 1;
      decoderNext = clear + 2;
      decoderHasPrevious = false;
      return;
    }
    if (decoderHasPrevious && decoderNext < 4096) {
      ++decoderNext;
      if (decoderNext == (1u << size) && size < 12) ++size;
    }
    decoderHasPrevious = true;
  };
  auto reset = [&] {
    std::fill(table.begin(), table.end(), 0);
    nextCode = clear + 2;
  };

  emit(clear);
  if (indices.empty()) {
    emit(end);
    return bits.finish();
  }
  unsigned prefix = indices[0];
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const unsigned c = indices[i];
    const std::uint16_t known = table[prefix * 256 + c];
    if (known) {
      prefix = known;
      continue;
    }
    emit(prefix);
    if (nextCode < 4096) {
      table[prefix * 256 + c] = static_cast<std::uint16_t>(nextCode++);
    } else if (options.clearWhenFull) {
      emit(clear);
      reset();
    }
    prefix = c;
  }
  emit(prefix);
  emit(end);
  return bits.finish();
}

Bytes ToSubBlocks(const Bytes& data) {
  Bytes out;
  for (std::size_t i = 0; i < data.size(); i += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - i);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(i), data.begin() + static_cast<std::ptrdiff_t>(i + n));
  }
  out.push_back(0);
  return out;
}

namespace {

int TableBits(std::size_t entries) {
  int bits = 1;
  while ((1u << bits) < entries && bits < 8) ++bits;
  return bits;
}

void PutTable(Bytes& out, const std::vector<std::uint32_t>& table, int bits) {
  for (std::size_t i = 0; i < (1u << bits); ++i) {
    const std::uint32_t rgb = i < table.size() ? table[i] : 0;
    out.push_back(static_cast<std::uint8_t>(rgb >> 16));
    out.push_back(static_cast<std::uint8_t>(rgb >> 8));
    out.push_back(static_cast<std::uint8_t>(rgb));
  }
}

std::vector<std::uint8_t> InterlaceOrder(const GifFrame& frame) {
  std::vector<std::uint8_t> stored;
  static constexpr int kStart[4] = {0, 4, 2, 1};
  static constexpr int kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int row = kStart[pass]; row < frame.height; row += kStep[pass]) {
      auto first = frame.indices.begin() + static_cast<std::ptrdiff_t>(row) * frame.width;
      stored.insert(stored.end(), first, first + frame.width);
    }
  }
  return stored;
}

}  // namespace

Bytes EncodeGif(const GifFile& file) {
  Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(out, file.screenWidth);
  Put16(out, file.screenHeight);
  const int globalBits = TableBits(file.globalTable.size());
  out.push_back(static_cast<std::uint8_t>(file.globalTable.empty() ? 0 : 0x80 | 0x70 | (globalBits - 1)));
  out.push_back(0);  // background index
  out.push_back(0);  // aspect ratio
  if (!file.globalTable.empty()) PutTable(out, file.globalTable, globalBits);
  for (const GifFrame& frame : file.frames) {
    if (frame.graphicControl) {
      const int transparent = frame.transparentIndex >= 0 ? 1 : 0;
      out.insert(out.end(), {'!', 0xF9, 4, static_cast<std::uint8_t>(frame.disposalMethod << 2 | transparent)});
      Put16(out, frame.delayHundredths);
      out.push_back(static_cast<std::uint8_t>(transparent ? frame.transparentIndex : 0));
      out.push_back(0);
    }
    out.push_back(',');
    Put16(out, frame.left);
    Put16(out, frame.top);
    Put16(out, frame.width);
    Put16(out, frame.height);
    std::uint8_t packed = frame.interlaced ? 0x40 : 0;
    const int localBits = TableBits(frame.localTable.size());
    if (!frame.localTable.empty()) packed |= 0x80 | (localBits - 1);
    out.push_back(packed);
    if (!frame.localTable.empty()) PutTable(out, frame.localTable, localBits);
    out.push_back(static_cast<std::uint8_t>(file.minimumCodeSize));
    const Bytes codes = EncodeLzw(frame.interlaced ? InterlaceOrder(frame) : frame.indices, file.minimumCodeSize, file.lzw);
    const Bytes blocks = ToSubBlocks(codes);
    out.insert(out.end(), blocks.begin(), blocks.end());
  }
  out.push_back(';');
  return out;
}

// [SECTION] BMP

namespace {

Bytes BmpHeaders(int width, int height, int depth, std::size_t paletteEntries, std::size_t imageBytes) {
  Bytes out = {'B', 'M'};
  const std::uint32_t dataOffset = static_cast<std::uint32_t>(54 + paletteEntries * 4);
  Put32(out, static_cast<std::uint32_t>(dataOffset + imageBytes));
  Put32(out, 0);
  Put32(out, dataOffset);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, depth);
  Put32(out, 0);  // no compression
  Put32(out, static_cast<std::uint32_t>(imageBytes));
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, static_cast<std::uint32_t>(paletteEntries));
  Put32(out, 0);
  return out;
}

}  // namespace

Bytes EncodeBmpTrueColour(int width, int height, const std::vector<std::uint32_t>& pixels, int depth, bool topDown) {
  const std::size_t stride = (static_cast<std::size_t>(width) * depth + 31) / 32 * 4;
  Bytes out = BmpHeaders(width, topDown ? -height : height, depth, 0, stride * height);
  for (int fileRow = 0; fileRow < height; ++fileRow) {
    const int y = topDown ? fileRow : height - 1 - fileRow;
    Bytes row(stride, 0);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
      std::uint8_t* o = row.data() + x * (depth / 8);
      o[0] = static_cast<std::uint8_t>(p);
      o[1] = static_cast<std::uint8_t>(p >> 8);
      o[2] = static_cast<std::uint8_t>(p >> 16);
      if (depth == 32) o[3] = 0;
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

Bytes EncodeBmpPalette(int width, int height, const std::vector<std::uint8_t>& indices, int depth,
                       const std::vector<std::uint32_t>& palette) {
  const std::size_t stride = (static_cast<std::size_t>(width) * depth + 31) / 32 * 4;
  Bytes out = BmpHeaders(width, height, depth, palette.size(), stride * height);
  for (std::uint32_t colour : palette) Put32(out, colour);
  for (int y = height - 1; y >= 0; --y) {
    Bytes row(stride, 0);
    for (int x = 0; x < width; ++x) {
      const unsigned index = indices[static_cast<std::size_t>(y) * width + x];
      const int bit = x * depth;
      row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - depth - bit % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// [SECTION] PCX

Bytes EncodePcx(int width, int height, const std::vector<std::uint8_t>& indices, int bitsPerPixel,
                const std::vector<std::uint32_t>& palette) {
  Bytes out(128, 0);
  out[0] = 0x0A;
  out[1] = bitsPerPixel == 8 ? 5 : 3;
  out[2] = 1;
  out[3] = static_cast<std::uint8_t>(bitsPerPixel);
  auto put16At = [&](std::size_t at, unsigned v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  put16At(8, width - 1);
  put16At(10, height - 1);
  out[65] = 1;
  const int bytesPerLine = bitsPerPixel == 8 ? (width + 1) / 2 * 2 : (width + 15) / 16 * 2;
  put16At(66, bytesPerLine);
  for (int y = 0; y < height; ++y) {
    Bytes line(bytesPerLine, 0);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t v = indices[static_cast<std::size_t>(y) * width + x];
      if (bitsPerPixel == 8) {
        line[x] = v;
      } else if (v) {
        line[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
    for (int i = 0; i < bytesPerLine;) {
      int run = 1;
      while (i + run < bytesPerLine && line[i + run] == line[i] && run < 63) ++run;
      if (run > 1 || line[i] >= 0xC0) out.push_back(static_cast<std::uint8_t>(0xC0 + run));
      out.push_back(line[i]);
      i += run;
    }
  }
  if (bitsPerPixel == 8 && !palette.empty()) {
    out.push_back(0x0C);
    for (int i = 0; i < 256; ++i) {
      const std::uint32_t rgb = i < static_cast<int>(palette.size()) ? palette[i] : 0;
      out.push_back(static_cast<std::uint8_t>(rgb >> 16));
      out.push_back(static_cast<std::uint8_t>(rgb >> 8));
      out.push_back(static_cast<std::uint8_t>(rgb));
    }
  }
  return out;
}

// [SECTION] icons

namespace {

Bytes IconDib(const IconImage& image) {
  const std::size_t colourStride = (static_cast<std::size_t>(image.width) * 24 + 31) / 32 * 4;
  const std::size_t maskStride = (static_cast<std::size_t>(image.width) + 31) / 32 * 4;
  Bytes out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(image.width));
  Put32(out, static_cast<std::uint32_t>(image.height * 2));
  Put16(out, 1);
  Put16(out, 24);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    Bytes row(colourStride, 0);
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t p = image.pixels[static_cast<std::size_t>(y) * image.width + x];
      row[x * 3] = static_cast<std::uint8_t>(p);
      row[x * 3 + 1] = static_cast<std::uint8_t>(p >> 8);
      row[x * 3 + 2] = static_cast<std::uint8_t>(p >> 16);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  for (int y = image.height - 1; y >= 0; --y) {
    Bytes row(maskStride, 0);
    for (int x = 0; x < image.width; ++x) {
      if (image.transparent[static_cast<std::size_t>(y) * image.width + x]) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

Bytes IconPng(const IconImage& image) {
  PngPicture picture;
  picture.width = image.width;
  picture.height = image.height;
  picture.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const std::uint32_t p = image.pixels[i];
    picture.samples.insert(picture.samples.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                             static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(image.transparent[i] ? 0 : 255)});
  }
  return EncodePng(picture);
}

}  // namespace

Bytes EncodeIconContainer(const std::vector<IconImage>& images, int type) {
  Bytes out;
  Put16(out, 0);
  Put16(out, type);
  Put16(out, static_cast<unsigned>(images.size()));
  std::vector<Bytes> bodies;
  for (const IconImage& image : images) bodies.push_back(image.asPng ? IconPng(image) : IconDib(image));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const IconImage& image = images[i];
    out.push_back(static_cast<std::uint8_t>(image.width));
    out.push_back(static_cast<std::uint8_t>(image.height));
    out.push_back(static_cast<std::uint8_t>(image.colourCount));
    out.push_back(0);
    Put16(out, type == 2 ? image.hotX : 1);
    Put16(out, type == 2 ? image.hotY : 24);
    Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const Bytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

// [SECTION] PNG, JPEG

namespace {

void AppendToBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void NoFlush(png_structp) {}
[[noreturn]] void PngFailure(png_structp, png_const_charp message) { throw std::runtime_error(message); }

}  // namespace

Bytes EncodePng(const PngPicture& picture) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFailure, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendToBytes, NoFlush);
  png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colourType,
               picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (std::uint32_t rgb : picture.palette) {
    palette.push_back({static_cast<png_byte>(rgb >> 16), static_cast<png_byte>(rgb >> 8), static_cast<png_byte>(rgb)});
  }
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (picture.background) {
    png_color_16 background{};
    const std::uint32_t b = *picture.background;
    if (picture.colourType == PNG_COLOR_TYPE_PALETTE) {
      background.index = static_cast<png_byte>(b);
    } else if (picture.colourType & PNG_COLOR_MASK_COLOR) {
      background.red = static_cast<png_uint_16>(b >> 16 & 0xFF);
      background.green = static_cast<png_uint_16>(b >> 8 & 0xFF);
      background.blue = static_cast<png_uint_16>(b & 0xFF);
    } else {
      background.gray = static_cast<png_uint_16>(b);
    }
    png_set_bKGD(png, info, &background);
  }
  png_write_info(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  std::vector<png_bytep> rows(static_cast<std::size_t>(picture.height));
  for (int y = 0; y < picture.height; ++y) rows[y] = const_cast<png_bytep>(picture.samples.data() + y * rowBytes);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

Bytes EncodeJpeg(int width, int height, int components, const std::vector<std::uint8_t>& samples, bool progressive) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + info.next_scanline * width * components);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

// [SECTION] reference

namespace {

struct MemoryRead {
  const Bytes* bytes;
  std::size_t position;
};

void ReadMemory(png_structp png, png_bytep data, png_size_t length) {
  auto* in = static_cast<MemoryRead*>(png_get_io_ptr(png));
  if (length > in->bytes->size() - in->position) png_error(png, "short");
  std::memcpy(data, in->bytes->data() + in->position, length);
  in->position += length;
}

}  // namespace

std::optional<ReferencePng> DecodePngReference(const Bytes& bytes) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFailure, nullptr);
  png_infop info = png_create_info_struct(png);
  MemoryRead in{&bytes, 0};
  ReferencePng out;
  try {
    png_set_read_fn(png, &in, ReadMemory);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    out.width = static_cast<int>(png_get_image_width(png, info));
    out.height = static_cast<int>(png_get_image_height(png, info));
    out.bgra.resize(static_cast<std::size_t>(out.width) * out.height);
    std::vector<png_bytep> rows(static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y) rows[y] = reinterpret_cast<png_bytep>(out.bgra.data() + y * out.width);
    png_read_image(png, rows.data());
  } catch (const std::exception&) {
    png_destroy_read_struct(&png, &info, nullptr);
    return std::nullopt;
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return out;
}

}  // namespace horavia::anim::testing
