// The form block fuzz entry point run over a seed corpus as an ordinary test:
// the program's own block and a small block with every kind of field, whole,
// cut at every byte, and with each dword replaced by values that break
// counts, lengths and offsets. The entry point traps on a broken invariant
// (a failed load that keeps forms, a block that does not write back the same),
// so "without crashing" covers those too; under the sanitizers it also means
// no read out of bounds. Cut blocks are exact-size copies, so a read past the
// cut lands outside the allocation where AddressSanitizer sees it.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/forms/form_table.h"
#include "ui/forms/window_data.h"
#ifdef HORAVIA_HAVE_PROGRAM_FORMS
#include "app/forms/form_block.h"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace horavia::ui {
namespace {

Bytes smallSeed() {
  Form form;
  form.id = 0x52010003;
  Unit window;
  window.id = 0x06010000;
  window.type = unit_type::kWindow;
  window.events = {{0, 3, {}}};
  window.typeData = writeWindowData(WindowData{});
  Unit item;
  item.id = 0x26010001;
  item.type = unit_type::kMenuItem;
  item.menu.caption = "m";
  Unit box;
  box.id = 0x16010001;
  box.type = unit_type::kCartoonBox;
  box.name = "b";
  box.children = {0x16010002, 0};
  box.mousePointer = {0x89, 0x7F, 0, 0};
  box.tag = "t";
  box.events = {{15, 0, {}}, {3, -1, {}}};
  form.units = {window, item, box};
  return writeFormBlock(std::span(&form, 1));
}

std::vector<Bytes> seeds() {
  std::vector<Bytes> out = {smallSeed()};
#ifdef HORAVIA_HAVE_PROGRAM_FORMS
  out.emplace_back(app::kFormBlock, app::kFormBlock + app::kFormBlockSize);
#endif
  return out;
}

TEST(FormBlockFuzzCorpus, WholeAndTruncatedBlocksLoadWithoutCrashing) {
  for (const Bytes& seed : seeds()) {
    for (std::size_t cut = 0; cut <= seed.size(); ++cut) {
      const Bytes piece(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(cut));  // exact size
      EXPECT_EQ(LLVMFuzzerTestOneInput(piece.data(), piece.size()), 0) << "cut at " << cut;
    }
  }
}

// Every dword of the small block, which holds every kind of field. The
// program's block is mostly picture bytes, and damaging each of its dwords
// costs minutes under the sanitizers: it is damaged at an odd stride
// instead, which still lands on fields at every alignment.
std::size_t damageStride(const Bytes& seed) { return seed.size() > 4096 ? 29 : 4; }

TEST(FormBlockFuzzCorpus, DamagedCountsAndOffsetsLoadWithoutCrashing) {
  const std::uint32_t kValues[] = {0, 1, 0x7FFFFFFF, 0xFFFFFFFF, 0x00010003};
  for (const Bytes& seed : seeds()) {
    for (std::size_t at = 0; at + 4 <= seed.size(); at += damageStride(seed)) {
      for (std::uint32_t value : kValues) {
        Bytes damaged = seed;
        for (int i = 0; i < 4; ++i) damaged[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        EXPECT_EQ(LLVMFuzzerTestOneInput(damaged.data(), damaged.size()), 0) << "at " << at;
      }
    }
  }
}

}  // namespace
}  // namespace horavia::ui
