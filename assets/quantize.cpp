// Index
//   [histogram]   the distinct colours of all frames with their pixel counts
//   [median cut]  boxes split along their widest channel at the median
//   [refine]      k-means rounds, then flat colours snapped exact
//   [mapping]     every pixel to its palette index
#include "assets/quantize.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>

namespace horavia::assets {
namespace {

// Pixels are 0x00RRGGBB.
int Channel(std::uint32_t colour, int channel) { return static_cast<int>(colour >> (16 - 8 * channel) & 0xFF); }
std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

// Squared distance with the eye's weights: green counts most, blue least.
constexpr std::array<int, 3> kWeight = {3, 4, 2};
std::int64_t Distance(std::uint32_t a, std::uint32_t b) {
  std::int64_t sum = 0;
  for (int c = 0; c < 3; ++c) {
    const std::int64_t d = Channel(a, c) - Channel(b, c);
    sum += kWeight[c] * d * d;
  }
  return sum;
}

bool IsReserved(std::uint32_t colour, std::span<const std::uint32_t> reserved) {
  return std::find(reserved.begin(), reserved.end(), colour) != reserved.end();
}

// [histogram] -----------------------------------------------------------------

struct Bin {
  std::uint32_t colour;
  std::uint64_t count;
};

std::vector<Bin> Histogram(std::span<const std::vector<std::uint32_t>> frames,
                           std::span<const std::uint32_t> reserved) {
  std::vector<std::uint32_t> all;
  for (const std::vector<std::uint32_t>& frame : frames) {
    for (std::uint32_t pixel : frame) {
      if (!IsReserved(pixel & 0xFFFFFF, reserved)) all.push_back(pixel & 0xFFFFFF);
    }
  }
  std::sort(all.begin(), all.end());
  std::vector<Bin> bins;
  for (std::uint32_t colour : all) {
    if (!bins.empty() && bins.back().colour == colour) {
      ++bins.back().count;
    } else {
      bins.push_back({colour, 1});
    }
  }
  return bins;
}

// [median cut] ----------------------------------------------------------------

struct Box {
  std::size_t begin;
  std::size_t end;
  double error;  // weighted variance summed over the channels
  int axis;      // the channel with the largest weighted variance
};

Box Measure(const std::vector<Bin>& bins, std::size_t begin, std::size_t end) {
  double weight = 0;
  std::array<double, 3> sum{}, squares{};
  for (std::size_t i = begin; i < end; ++i) {
    const double n = static_cast<double>(bins[i].count);
    weight += n;
    for (int c = 0; c < 3; ++c) {
      const double v = Channel(bins[i].colour, c);
      sum[c] += n * v;
      squares[c] += n * v * v;
    }
  }
  Box box{begin, end, 0, 0};
  double widest = -1;
  for (int c = 0; c < 3; ++c) {
    const double spread = kWeight[c] * (squares[c] - sum[c] * sum[c] / weight);
    box.error += spread;
    if (spread > widest) {
      widest = spread;
      box.axis = c;
    }
  }
  return box;
}

// Sorts the box's colours along its axis and cuts where half its pixels lie
// on each side; both halves keep at least one colour.
std::pair<Box, Box> Split(std::vector<Bin>& bins, const Box& box) {
  const int axis = box.axis;
  std::sort(bins.begin() + static_cast<std::ptrdiff_t>(box.begin), bins.begin() + static_cast<std::ptrdiff_t>(box.end),
            [axis](const Bin& a, const Bin& b) {
              const int ca = Channel(a.colour, axis), cb = Channel(b.colour, axis);
              return ca != cb ? ca < cb : a.colour < b.colour;
            });
  std::uint64_t total = 0;
  for (std::size_t i = box.begin; i < box.end; ++i) total += bins[i].count;
  std::uint64_t running = 0;
  std::size_t cut = box.begin + 1;
  for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
    running += bins[i].count;
    cut = i + 1;
    if (2 * running >= total) break;
  }
  return {Measure(bins, box.begin, cut), Measure(bins, cut, box.end)};
}

std::uint32_t WeightedMean(const std::vector<Bin>& bins, std::size_t begin, std::size_t end) {
  std::array<std::uint64_t, 3> sum{};
  std::uint64_t weight = 0;
  for (std::size_t i = begin; i < end; ++i) {
    weight += bins[i].count;
    for (int c = 0; c < 3; ++c) sum[c] += bins[i].count * static_cast<std::uint64_t>(Channel(bins[i].colour, c));
  }
  auto mean = [&](int c) { return static_cast<int>((sum[c] + weight / 2) / weight); };
  return Rgb(mean(0), mean(1), mean(2));
}

std::vector<std::uint32_t> MedianCut(std::vector<Bin> bins, std::size_t colours) {
  std::vector<Box> boxes = {Measure(bins, 0, bins.size())};
  while (boxes.size() < colours) {
    auto worst = std::max_element(boxes.begin(), boxes.end(),
                                  [](const Box& a, const Box& b) { return a.error < b.error; });
    if (worst->error <= 0 || worst->end - worst->begin < 2) break;
    const auto [low, high] = Split(bins, *worst);
    *worst = low;
    boxes.push_back(high);
  }
  std::vector<std::uint32_t> centres;
  for (const Box& box : boxes) centres.push_back(WeightedMean(bins, box.begin, box.end));
  return centres;
}

// [refine] --------------------------------------------------------------------

std::size_t Nearest(std::uint32_t colour, const std::vector<std::uint32_t>& centres) {
  std::size_t best = 0;
  std::int64_t bestDistance = Distance(colour, centres[0]);
  for (std::size_t i = 1; i < centres.size() && bestDistance > 0; ++i) {
    const std::int64_t d = Distance(colour, centres[i]);
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}

// Lloyd's rounds over the histogram; a centre left without colours stays.
// Afterwards a centre whose cluster is mostly one colour becomes exactly that
// colour, so that large flat fills keep their drawn colour.
void Refine(const std::vector<Bin>& bins, std::vector<std::uint32_t>& centres, int rounds) {
  std::vector<std::size_t> owner(bins.size(), 0);
  for (int round = 0; round <= rounds; ++round) {
    bool moved = false;
    for (std::size_t i = 0; i < bins.size(); ++i) {
      const std::size_t n = Nearest(bins[i].colour, centres);
      moved |= n != owner[i];
      owner[i] = n;
    }
    if (round == rounds || (round > 0 && !moved)) break;
    std::vector<std::array<std::uint64_t, 4>> sums(centres.size(), {0, 0, 0, 0});
    for (std::size_t i = 0; i < bins.size(); ++i) {
      for (int c = 0; c < 3; ++c) {
        sums[owner[i]][c] += bins[i].count * static_cast<std::uint64_t>(Channel(bins[i].colour, c));
      }
      sums[owner[i]][3] += bins[i].count;
    }
    for (std::size_t k = 0; k < centres.size(); ++k) {
      const std::uint64_t w = sums[k][3];
      if (w == 0) continue;
      centres[k] = Rgb(static_cast<int>((sums[k][0] + w / 2) / w), static_cast<int>((sums[k][1] + w / 2) / w),
                       static_cast<int>((sums[k][2] + w / 2) / w));
    }
  }
  std::vector<std::uint64_t> clusterWeight(centres.size(), 0);
  std::vector<const Bin*> heaviest(centres.size(), nullptr);
  for (std::size_t i = 0; i < bins.size(); ++i) {
    clusterWeight[owner[i]] += bins[i].count;
    if (!heaviest[owner[i]] || bins[i].count > heaviest[owner[i]]->count) heaviest[owner[i]] = &bins[i];
  }
  for (std::size_t k = 0; k < centres.size(); ++k) {
    if (heaviest[k] && 2 * heaviest[k]->count >= clusterWeight[k]) centres[k] = heaviest[k]->colour;
  }
}

// A mean can land on a reserved colour (averaging near-whites can round to
// white); step it off by one in blue, which the eye notices least.
void AvoidReserved(std::vector<std::uint32_t>& centres, std::span<const std::uint32_t> reserved) {
  for (std::uint32_t& c : centres) {
    while (IsReserved(c, reserved)) c = (c & 0xFF) > 0 ? c - 1 : c + 1;
  }
}

// [mapping] -------------------------------------------------------------------

std::uint8_t IndexOf(std::uint32_t pixel, std::span<const std::uint32_t> reserved, const std::vector<Bin>& bins,
                     const std::vector<std::uint8_t>& binIndex) {
  const std::uint32_t colour = pixel & 0xFFFFFF;
  for (std::size_t r = 0; r < reserved.size(); ++r) {
    if (reserved[r] == colour) return static_cast<std::uint8_t>(r);
  }
  const auto it = std::lower_bound(bins.begin(), bins.end(), colour,
                                   [](const Bin& b, std::uint32_t c) { return b.colour < c; });
  assert(it != bins.end() && it->colour == colour);
  return binIndex[static_cast<std::size_t>(it - bins.begin())];
}

}  // namespace

Quantized Quantize(std::span<const std::vector<std::uint32_t>> frames, std::span<const std::uint32_t> reserved,
                   int maxColours) {
  assert(reserved.size() < static_cast<std::size_t>(maxColours));
  const std::vector<Bin> bins = Histogram(frames, reserved);
  const std::size_t room = static_cast<std::size_t>(maxColours) - reserved.size();

  std::vector<std::uint32_t> centres;
  if (bins.size() <= room) {
    for (const Bin& bin : bins) centres.push_back(bin.colour);
  } else {
    centres = MedianCut(bins, room);
    Refine(bins, centres, 8);
    AvoidReserved(centres, reserved);
  }

  Quantized out;
  out.palette.assign(reserved.begin(), reserved.end());
  out.palette.insert(out.palette.end(), centres.begin(), centres.end());
  std::vector<std::uint8_t> binIndex(bins.size());
  for (std::size_t i = 0; i < bins.size(); ++i) {
    binIndex[i] = static_cast<std::uint8_t>(reserved.size() + Nearest(bins[i].colour, centres));
  }
  for (const std::vector<std::uint32_t>& frame : frames) {
    std::vector<std::uint8_t>& indices = out.indices.emplace_back(frame.size());
    for (std::size_t i = 0; i < frame.size(); ++i) indices[i] = IndexOf(frame[i], reserved, bins, binIndex);
  }
  return out;
}

}  // namespace horavia::assets
