#include "app/window_picture.h"

#include <QWidget>

#include "anim/picture/picture.h"
#include "app/app_state.h"
#include "app/units.h"
#include "runtime/runtime_app.h"
#include "ui/cartoon/cartoon_box_unit.h"

namespace horavia::app {
namespace {

using main_window::kBox;

// The main window's box, while the window is loaded.
ui::CartoonBoxUnit* BoxUnit() {
  runtime::WindowHost* host = runtime::Runtime().windowHost();
  if (host == nullptr) return nullptr;
  return dynamic_cast<ui::CartoonBoxUnit*>(static_cast<QWidget*>(host->findUnit(kBox.formId, kBox.unitId)));
}

}  // namespace

void WindowPicture::follow() {
  ui::CartoonBoxUnit* unit = BoxUnit();
  if (unit == nullptr) return;
  lastScene_ = scene();
  // The listener goes with the unit; the state it reports to is the
  // process's, and may have been reset (tests) while the window lives.
  unit->setRepaintListener([] { State().picture.repainted(); });
}

// The window's own cut (the window engine's) takes the region of the same
// bytes with the same colour, and keeps its shape when the region is empty.
void WindowPicture::setOutline(std::span<const std::uint8_t> picture, int percent) {
  std::optional<anim::Region> region = anim::RegionFromPictureBytes(picture, 0xFFFFFF);
  if (region && percent != 100) region = anim::ScaledRegion(*region, percent);
  if (region && !region->empty()) outline_ = std::move(region);
}

void WindowPicture::afterNextFrame(std::function<void()> then) {
  ui::CartoonBoxUnit* unit = BoxUnit();
  if (unit != nullptr) unit->callAfterNextPaint(std::move(then));
}

anim::WindowFrame WindowPicture::compose() const {
  ui::CartoonBoxUnit* unit = BoxUnit();
  if (unit == nullptr) return {};
  return anim::ComposeWindowFrame(unit->box(), outline_ ? &*outline_ : nullptr);
}

std::vector<WindowPicture::Item> WindowPicture::scene() const {
  std::vector<Item> items;
  ui::CartoonBoxUnit* unit = BoxUnit();
  if (unit == nullptr) return items;
  const anim::CartoonBox& box = unit->box();
  const AppState& state = State();
  for (std::size_t i = 0; i < box.objectCount(); ++i) {
    const anim::BoxObject& o = box.objectAt(i);
    const bool hand = o.id == state.hourHand || o.id == state.minuteHand || o.id == state.secondHand;
    if (hand) {
      items.push_back({o.id, o.visible, 0, 0, 0, 0, o.source});
      continue;
    }
    items.push_back({o.id, o.visible, anim::TruncatedPosition(o.x), anim::TruncatedPosition(o.y), o.angle,
                     o.currentFrame, o.rendered});
  }
  return items;
}

// Compared with the scene at the last repaint: only what changed since
// counts. A change the box marks more than once (an object turning marks
// where it was and where it is) is reported as a change the first time.
// While nobody follows, nothing is compared, and the first repaint anybody
// follows again counts as a change.
void WindowPicture::repainted() {
  if (!State().observers.any([](const AppObserver& o) { return o.followsRepaints(); })) {
    lastScene_.reset();
    return;
  }
  std::vector<Item> now = scene();
  const WindowChange change = now == lastScene_ ? WindowChange::ClockHands : WindowChange::Other;
  lastScene_ = std::move(now);
  State().observers.notify([change](AppObserver& o) { o.windowRepainted(change); });
}

}  // namespace horavia::app
