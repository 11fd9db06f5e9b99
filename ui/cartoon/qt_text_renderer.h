// Text for frame images drawn with the toolkit's fonts: what a template
// with a text shows instead of a picture.
#pragma once

#include <QFont>

#include "anim/frameimage/text_renderer.h"

namespace horavia::ui {

class QtTextRenderer : public anim::TextRenderer {
 public:
  explicit QtTextRenderer(const QFont& font);
  LineSize Measure(std::string_view line) override;
  // Glyphs are drawn without smoothing, so the two-colour reduction keeps
  // their exact shapes.
  void Draw(std::string_view line, int x, int y, std::uint32_t colour, anim::Bitmap& surface) override;

 private:
  QFont font_;
};

}  // namespace horavia::ui
