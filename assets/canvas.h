// Drawing helpers shared by every picture: layers to paint on, the polar
// geometry of a round dial, text as outlines, and the step that flattens an
// antialiased drawing into the opaque, hard-edged pixels a keyed GIF needs.
//
// Angles are degrees clockwise from 12 o'clock, as the program turns its
// pictures. Pixels handed on to the encoder are 0x00RRGGBB.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace horavia::assets {

// White is what the program cuts away around skins and makes transparent in
// hand, wheel and needle pictures.
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

// [layers] --------------------------------------------------------------------

// A transparent layer to draw on.
QImage NewLayer(int width, int height);

// A painter on the layer with antialiasing on.
void BeginPainting(QPainter& painter, QImage& layer);

// A new layer with `draw` painted on it through such a painter.
QImage PaintedLayer(int width, int height, const std::function<void(QPainter&)>& draw);

// Flattens a drawing for a keyed picture. Pixels covered less than half
// become `outside`; the others are laid over `matte` and made opaque, so an
// antialiased edge fades toward the matte (the colour that will lie beside
// it), never toward `outside`. Nothing inside keeps the colour `outside`.
std::vector<std::uint32_t> Flatten(const QImage& layer, std::uint32_t outside, QColor matte);

// As Flatten, but covered pixels keep their own colour at full strength:
// a hard edge for small shapes whose surroundings are not known.
std::vector<std::uint32_t> FlattenHard(const QImage& layer, std::uint32_t outside);

// An opaque drawing's pixels as they are (no key, no edge treatment).
std::vector<std::uint32_t> OpaquePixels(const QImage& layer);

// [geometry] ------------------------------------------------------------------

// The point at `radius` from `centre` in the direction `degrees`.
QPointF Polar(QPointF centre, double degrees, double radius);

// A ring sector between two radii and two angles.
QPainterPath Sector(QPointF centre, double innerRadius, double outerRadius, double fromDegrees, double toDegrees);

// A circle as a path.
QPainterPath Circle(QPointF centre, double radius);

// [colour and text] -----------------------------------------------------------

// a + (b - a) × t per channel.
QColor Mix(QColor a, QColor b, double t);

// The named installed font at a pixel size; the generator stops when the
// family is missing, since a substitute would change every picture.
QFont InstalledFont(const QString& family, double pixelSize, int weight = QFont::Normal,
                    int stretch = QFont::Unstretched);

// The text's outline with its box centred on `centre`, measured by the
// glyphs' own bounds (not the font's line box), so it sits visually centred.
QPainterPath CentredText(const QString& text, const QFont& font, QPointF centre);

// [files] ---------------------------------------------------------------------

// Writes the bytes, creating the folders on the way; false on failure.
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace horavia::assets
