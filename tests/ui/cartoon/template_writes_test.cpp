// Writing a template's properties: a value written unchanged builds nothing
// again (the old build is still alive while a new one is made, so a rebuild
// always has new pixels), a changed one rebuilds the picture at once.
#include "tests/ui/cartoon/cartoon_fixture.h"

namespace horavia::ui::testing {
namespace {

// The template picture's build, by the address of what it keeps (decoded
// pixels, or the compressed bytes of a picture decoded when shown): a
// rebuild makes new ones.
const void* FirstFrame(const anim::ObjectTemplate& t) {
  if (t.picture.image.usable()) return t.picture.image.frames.at(0).pixels.data();
  return t.picture.packed.bytes().data();
}

TEST_F(CartoonTest, ThePicturesWrittenAgainUnchangedAreNotDecodedAgain) {
  Load();
  const anim::ObjectTemplate& t = Template(kHandId).objectTemplate();
  const void* before = FirstFrame(t);
  RawProperty same;
  same.bytes = hand.picture;
  Template(kHandId).setProperty(anim::template_property::kPicture, same);
  Write(kHandId, 13, static_cast<std::int32_t>(hand.transparentColor));
  Write(kHandId, 10, 0);  // TextColor as stored
  EXPECT_EQ(FirstFrame(t), before);

  Write(kHandId, 13, 0x0000FF);  // the red bar's own colour becomes its key
  EXPECT_NE(FirstFrame(t), before);
  EXPECT_EQ(t.picture.Pixels().frames.at(0).keyColour, 0x0000FFu);
}

}  // namespace
}  // namespace horavia::ui::testing
