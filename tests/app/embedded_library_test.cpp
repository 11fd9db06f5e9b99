// The audio library the program carries: its bytes are the built library,
// and once written beside the program the external-call facility finds it
// by "bass.dll" and its functions run.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "app/externals.h"
#include "app/image.h"
#include "app/literals.h"
#include "platform/files.h"
#include "platform/text_codec.h"
#include "runtime/runtime_app.h"

namespace horavia::app {
namespace {

std::string_view CarriedLibrary() {
  const auto& carried = kConstants.BassLibrary;
  return {reinterpret_cast<const char*>(carried.data), static_cast<std::size_t>(carried.length)};
}

TEST(EmbeddedAudioLibrary, CarriesTheBuiltLibraryByteForByte) {
  auto built = platform::ReadWholeFile(BASS_LIBRARY_FILE);
  ASSERT_TRUE(built.has_value());
  ASSERT_EQ(kConstants.BassLibrary.dimensions, 1);
  EXPECT_EQ(CarriedLibrary(), std::string_view(reinterpret_cast<const char*>(built->data()), built->size()));
}

TEST(EmbeddedAudioLibrary, WrittenBesideTheProgramItIsFoundByNameAndRuns) {
  char pattern[] = "/tmp/horavia-program-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string folder = pattern;
  ASSERT_TRUE(platform::ReplaceFile(folder + "/bass.dll", CarriedLibrary()));

  runtime::RuntimeApp& rt = runtime::Runtime();
  rt.resetForTests();
  runtime::ExternalTable& externals = rt.externals();
  std::string programDir = platform::RuntimePath(folder);
  externals.setProgramFolder(programDir, programDir + "\\");
  const runtime::ImageHeader& image = ApplicationImage();
  externals.declare(image.externalCount, image.externalLibraryNames, image.externalFunctionNames);

  auto init = reinterpret_cast<bass::Init>(externals.resolve(kBassInit));
  // The library keeps its context for the life of the process; keep it
  // mapped after the runtime releases its module, so the leak checker still
  // sees that context.
  ASSERT_NE(dlopen((folder + "/bass.dll").c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE), nullptr);
  auto getDeviceInfo = reinterpret_cast<bass::GetDeviceInfo>(externals.resolve(kBassGetDeviceInfo));
  auto free = reinterpret_cast<bass::Free>(externals.resolve(kBassFree));
  ASSERT_NE(init(-1, 44100, 0, nullptr, nullptr), 0);
  struct {
    const char* name;
    const char* driver;
    std::uint32_t flags;
  } info{};
  EXPECT_NE(getDeviceInfo(0, &info), 0);
  EXPECT_NE(info.name, nullptr);
  EXPECT_NE(free(), 0);

  rt.resetForTests();
  std::system(("rm -rf '" + folder + "'").c_str());
}

}  // namespace
}  // namespace horavia::app
