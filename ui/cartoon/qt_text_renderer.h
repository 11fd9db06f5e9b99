// Text for frame images drawn with the toolkit's fonts: what a template
// with a text shows instead of a picture.
#pragma once

#include <QFont>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "anim/frameimage/text_renderer.h"

namespace horavia::ui {

class QtTextRenderer : public anim::TextRenderer {
 public:
  // `fontRecord` is a 60-byte font record, or anything else for the default
  // GUI font. The font is resolved at the first line measured or drawn: a
  // template without a text never loads the toolkit's font database.
  explicit QtTextRenderer(std::span<const std::uint8_t> fontRecord);
  LineSize Measure(std::string_view line) override;
  // Glyphs are drawn without smoothing, so the two-colour reduction keeps
  // their exact shapes.
  void Draw(std::string_view line, int x, int y, std::uint32_t colour, anim::Bitmap& surface) override;

 private:
  const QFont& font();

  std::vector<std::uint8_t> fontRecord_;
  std::optional<QFont> font_;
};

}  // namespace horavia::ui
