// The seven commands through the runtime's command entry, with unit
// references, omitted arguments and the fatal error for missing units.
#include "platform/sound.h"
#include "platform/text_codec.h"
#include "runtime/messages.h"
#include "tests/ui/cartoon/cartoon_fixture.h"

namespace horavia::ui::testing {
namespace {

namespace c = box_command;
using runtime::ArgRecord;

class BoxCommandsTest : public CartoonTest {
 protected:
  void SetUp() override {
    CartoonTest::SetUp();
    Load();
  }
  std::int32_t CreateHand(int x = 0, int y = 0) {
    return Call(c::kCreateObject, {BoxRef(), Ref(kHandId, runtime::unit_type::kCartoonObject), Int(x), Int(y)}).asInt32();
  }
  bool Exists(std::int32_t id) { return Call(c::kObjectExists, {BoxRef(), Int(id)}).low != 0; }
  const anim::BoxObject* Object(std::int32_t id) { return BoxUnit().box().find(id); }
  // Whether `f` ended the program with the missing-unit message.
  template <class F>
  bool FailsWithUnitMissing(F&& f) {
    return ExitCodeOf(f) == -1 && LastDialogText().find(platform::Cp936ToUtf8(runtime::messages::kConstants.UnitMissing)) != std::string::npos;
  }
};

TEST_F(BoxCommandsTest, TheLibraryTableHoldsTheEightCommandsInOrder) {
  const runtime::LibraryInfo& library = *runtime::RuntimeLibraries()[runtime::kExtendedInterfaceLibrary - 1];
  ASSERT_EQ(library.commandCount, c::kCount);
  for (int i = 0; i < c::kCount; ++i) EXPECT_EQ(library.commands[i], kBoxCommands[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(kBoxCommands[c::kCreateObject], &CreateObject);
  EXPECT_EQ(kBoxCommands[c::kObjectExists], &ObjectExists);
}

TEST_F(BoxCommandsTest, CreateObjectTakesItsDefaultsWhenArgumentsAreLeftOut) {
  const std::int32_t bare = Call(c::kCreateObject, {BoxRef(), Omitted(), Int(3), Int(4)}).asInt32();
  const std::int32_t named = Call(c::kCreateObject, {BoxRef(), Ref(kHandId, runtime::unit_type::kCartoonObject), Int(5),
                                                     Int(6), ArgRecord::Bool(false),
                                                     ArgRecord::Pointer("n", runtime::kTagText)}).asInt32();
  EXPECT_EQ(bare, 1);
  EXPECT_EQ(named, 2);
  EXPECT_TRUE(Object(bare)->visible);
  EXPECT_FALSE(Object(bare)->hasPicture());
  EXPECT_FALSE(Object(named)->visible);
  EXPECT_EQ(Object(named)->name, "n");
  EXPECT_EQ(Object(named)->rect(), (anim::BoxRect{5, 6, 20, 10}));
  EXPECT_TRUE(Exists(bare));
  EXPECT_FALSE(Exists(0));
  EXPECT_FALSE(Exists(-1));
  EXPECT_FALSE(Exists(99));
}

TEST_F(BoxCommandsTest, AnglesRotationVisibilityAndPictures) {
  const std::int32_t id = CreateHand();
  Call(c::kSetObjectAngle, {BoxRef(), Int(id), ArgRecord::Int(-30, runtime::kTagShort)});
  EXPECT_EQ(Object(id)->angle, 330);
  Call(c::kStartAutoRotate, {BoxRef(), Int(id), Int(6), Int(1000), Omitted(), Omitted()});
  ticks.advance(60000);
  EXPECT_EQ(Object(id)->angle, 330);  // no duration, no total: still turning
  EXPECT_TRUE(Object(id)->rotating);
  EXPECT_EQ(Object(id)->degreesLeft, 0);
  EXPECT_FALSE(Object(id)->rotationEnds);

  Call(c::kSetObjectVisible, {BoxRef(), Int(id), ArgRecord::Bool(false)});
  EXPECT_FALSE(Object(id)->visible);
  Call(c::kSetObjectVisible, {BoxRef(), Int(id), Omitted()});
  EXPECT_TRUE(Object(id)->visible);

  const std::vector<std::uint8_t> bmp = SolidBmp(4, 4, 0x00FF00);
  void* byteSet = runtime::MakeByteSet(bmp.data(), bmp.size());
  Call(c::kSetObjectPicture, {BoxRef(), Int(id), ArgRecord::Pointer(byteSet, runtime::kTagByteSet), Omitted()});
  runtime::Runtime().heap().free(byteSet);
  ASSERT_TRUE(Object(id)->hasPicture());
  EXPECT_EQ(Object(id)->rendered->frames[0].keyColour, anim::kNoKey);
  Call(c::kSetObjectPicture, {BoxRef(), Int(id), Omitted(), Omitted()});
  EXPECT_FALSE(Object(id)->hasPicture());
}

TEST_F(BoxCommandsTest, DestroyObjectsTakesEachIdOnce) {
  const std::int32_t a = CreateHand();
  const std::int32_t b = CreateHand();
  Call(c::kDestroyObjects, {BoxRef()});
  EXPECT_TRUE(Exists(a));
  Call(c::kDestroyObjects, {BoxRef(), Int(a), Int(a), Int(77), Omitted()});
  EXPECT_FALSE(Exists(a));
  EXPECT_TRUE(Exists(b));
  std::vector<std::vector<std::uint32_t>> destroyed;
  for (const HandlerCall& call : Calls()) {
    if (call.handler == 6) destroyed.push_back(call.args);
  }
  EXPECT_EQ(destroyed, (std::vector<std::vector<std::uint32_t>>{{static_cast<std::uint32_t>(a)}}));
}

TEST_F(BoxCommandsTest, MissingBoxOrTemplateIsFatal) {
  EXPECT_TRUE(FailsWithUnitMissing([&] { Call(c::kObjectExists, {Ref(0x16019999, runtime::unit_type::kCartoonBox), Int(1)}); }));
  EXPECT_TRUE(FailsWithUnitMissing([&] { Call(c::kCreateObject, {BoxRef(), Ref(0x16019999, runtime::unit_type::kCartoonObject), Int(0), Int(0)}); }));
  // A live unit of the wrong kind is no box either.
  EXPECT_TRUE(FailsWithUnitMissing([&] { Call(c::kSetObjectAngle, {Ref(kHandId, runtime::unit_type::kCartoonBox), Int(1), Int(5)}); }));
  EXPECT_TRUE(FailsWithUnitMissing([&] { Call(c::kDestroyObjects, {}); }));
}

TEST_F(BoxCommandsTest, BoxClosedByEventTenInTheMiddleOfDestroyObjectsIsFatal) {
  const std::int32_t a = CreateHand();
  const std::int32_t b = CreateHand();
  Actions()[6] = [&] { engine().destroyUnit(kForm, kBoxId); };
  EXPECT_TRUE(FailsWithUnitMissing([&] { Call(c::kDestroyObjects, {BoxRef(), Int(a), Int(b)}); }));
  EXPECT_EQ(Widget(kForm, kBoxId), nullptr);
}

TEST_F(BoxCommandsTest, CreateSoundPlaysThroughTheSoundService) {
  // A WAVE file image: 8-bit mono at 8000 Hz, 80 samples of silence.
  std::vector<std::uint8_t> wave = {'R', 'I', 'F', 'F', 36 + 80, 0, 0, 0, 'W', 'A', 'V', 'E',
                                    'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0, 0x40, 0x1F, 0, 0,
                                    0x40, 0x1F, 0, 0, 1, 0, 8, 0, 'd', 'a', 't', 'a', 80, 0, 0, 0};
  wave.resize(wave.size() + 80, 0x80);
  Write(kHandId, 27, 0);  // nothing yet
  RawProperty sound;
  sound.bytes = wave;
  Template(kHandId).setProperty(anim::template_property::kCreateSound, sound);
  EXPECT_FALSE(platform::SoundOutputOpen());
  CreateHand();
  EXPECT_TRUE(platform::SoundOutputOpen());
}

}  // namespace
}  // namespace horavia::ui::testing
