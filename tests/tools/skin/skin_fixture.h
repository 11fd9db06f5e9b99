// Skin folders made by the tests: a temporary folder per test, a copy of a
// shipped skin to damage, and pictures drawn from a function of the pixel.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/anim/support/encoders.h"
#include "tools/skin/skin_tool.h"

namespace horavia::tools::skin::testing {

namespace fs = std::filesystem;
using anim::testing::Bytes;

inline const fs::path kShippedSkins = fs::path(HORAVIA_PROGRAM_DIR) / "skins";

// A GIF of width × height whose pixel (x, y) has the colour 0xRRGGBB the
// function gives; at most 256 colours. Extra frames repeat the first.
inline Bytes GifOf(int width, int height, const std::function<std::uint32_t(int, int)>& colour, int frames = 1) {
  anim::testing::GifFile file;
  file.screenWidth = width;
  file.screenHeight = height;
  std::map<std::uint32_t, std::uint8_t> index;
  anim::testing::GifFrame frame;
  frame.width = width;
  frame.height = height;
  frame.delayHundredths = 10;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = colour(x, y);
      auto [it, added] = index.emplace(c, static_cast<std::uint8_t>(file.globalTable.size()));
      if (added) file.globalTable.push_back(c);
      frame.indices.push_back(it->second);
    }
  }
  while (file.globalTable.size() < 2) file.globalTable.push_back(0);
  for (int i = 0; i < frames; ++i) file.frames.push_back(frame);
  return anim::testing::EncodeGif(file);
}

// A frame of one colour index placed on the screen.
inline anim::testing::GifFrame Patch(int left, int top, int width, int height, std::uint8_t index = 1) {
  anim::testing::GifFrame frame;
  frame.left = left;
  frame.top = top;
  frame.width = width;
  frame.height = height;
  frame.indices.assign(static_cast<std::size_t>(width) * height, index);
  return frame;
}

inline Bytes GifFrames(int screenWidth, int screenHeight, std::vector<std::uint32_t> table,
                       std::vector<anim::testing::GifFrame> frames, int minimumCodeSize = 2) {
  anim::testing::GifFile file;
  file.screenWidth = screenWidth;
  file.screenHeight = screenHeight;
  file.globalTable = std::move(table);
  file.frames = std::move(frames);
  file.minimumCodeSize = minimumCodeSize;
  return anim::testing::EncodeGif(file);
}

class SkinFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    // Parameterised names hold "/", which is no file name; the process id
    // keeps two test runs on one machine out of each other's folders.
    std::string name = "skin-tool-" + std::to_string(getpid()) + "-" + test->test_suite_name() + "-" + test->name();
    std::replace(name.begin(), name.end(), '/', '-');
    folder_ = fs::path(::testing::TempDir()) / name;
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  const fs::path& folder() const { return folder_; }

  void CopyShipped(const char* skin) {
    fs::copy(kShippedSkins / skin, folder_, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
  }
  void Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream(folder_ / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  void Write(const std::string& name, const std::string& text) const { Write(name, Bytes(text.begin(), text.end())); }
  Bytes Read(const std::string& name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  void Remove(const std::string& name) const { fs::remove(folder_ / name); }

  // Runs the tool; output() and errors() hold what it printed.
  int Run(std::vector<std::string> arguments) {
    std::vector<std::string_view> views(arguments.begin(), arguments.end());
    output_.clear();
    errors_.clear();
    return RunSkinTool(views, output_, errors_);
  }
  int Check() { return Run({"check", folder_.string()}); }

  const std::string& output() const { return output_; }
  const std::string& errors() const { return errors_; }

  // The lines of output() that start with `grade` and name `file`.
  std::vector<std::string> Lines(const std::string& grade, const std::string& file) const {
    std::vector<std::string> found;
    std::istringstream in(output_);
    for (std::string line; std::getline(in, line);) {
      if (line.starts_with(grade + ": " + file + ": ")) found.push_back(line);
    }
    return found;
  }

 private:
  fs::path folder_;
  std::string output_;
  std::string errors_;
};

}  // namespace horavia::tools::skin::testing
