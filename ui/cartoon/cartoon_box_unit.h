// The animation box as a unit of the extended library (type 8): a child
// window around the box's logic. It keeps the box's 13 own properties,
// draws its border, paints by composing only the update rectangle from
// memory pixels, and hands pointer input to the logic.
#pragma once

#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "anim/cartoonbox/cartoon_box.h"
#include "anim/cartoonbox/stored_data.h"
#include "platform/timers.h"
#include "ui/units/property_table.h"

namespace horavia::ui {

class CartoonBoxUnit : public QWidget, private anim::BoxHost {
 public:
  static constexpr const auto& kTable = anim::kBoxProperties;

  // Null when the stored data is of a newer version.
  static CartoonBoxUnit* Create(const UnitCreateParams& params);
  ~CartoonBoxUnit() override;
  static void* OtherQuery(std::int32_t query);

  std::vector<std::uint8_t> writeBack() const { return PropertyAccess::WriteBack(*this); }

  anim::CartoonBox& box() { return *box_; }
  const anim::CartoonBoxData& data() const { return data_; }
  // The client area, inside the border.
  QRect clientRect() const { return contentsRect(); }
  // Told each time the box marks part of itself for repainting, before the
  // toolkit paints it, so that whoever shows the box elsewhere (the
  // overlay's frames) follows it. It runs inside the box's operations: it
  // may read the box but must not change it.
  void setRepaintListener(std::function<void()> listener) { repaintListener_ = std::move(listener); }
  // Runs `then` once, from the event loop, after the box's next paint: by
  // then the toolkit has handed the frame to the window system, so work
  // that can wait does not hold the frame back. A later call replaces an
  // earlier one that has not run.
  void callAfterNextPaint(std::function<void()> then) { afterPaint_ = std::move(then); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  friend struct PropertyAccess;
  CartoonBoxUnit(const UnitCreateParams& params, anim::CartoonBoxData data);
  anim::CartoonBoxData& record() { return data_; }
  const anim::CartoonBoxData& record() const { return data_; }
  std::int32_t apply(anim::BoxHook hook);

  // anim::BoxHost
  std::optional<std::int32_t> RaiseEvent(anim::BoxEvent event, std::span<const std::int32_t> args) override;
  void Invalidate(const anim::BoxRect& rect) override;
  void UpdateNow() override;
  void PlaySound(std::span<const std::uint8_t> wave) override;
  void Warn(std::string_view line) override;

  void applyBorder();
  void applyBackground();
  void drawBorder(QPainter& painter);
  void runAfterPaint();
  QPoint clientPoint(const QMouseEvent* event) const;

  std::uint32_t formId_;
  std::uint32_t unitId_;
  anim::CartoonBoxData data_;
  std::unique_ptr<anim::CartoonBox> box_;
  QRect pending_;                     // marked by the box, not painted yet
  std::vector<std::uint32_t> buffer_;  // the composed update rectangle
  std::function<void()> repaintListener_;
  std::function<void()> afterPaint_;
  platform::Timer afterPaintTimer_;
};

}  // namespace horavia::ui
