#include "ui/controls/edit_box.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextOption>

#include "ui/controls/control_font.h"

namespace horavia::ui::controls {
namespace {

constexpr std::int32_t kEnterKey = 0x0D;

bool WantsKey(QWidget* w, std::int32_t keyAndModifiers) {
  auto* edit = dynamic_cast<EditBoxUnit*>(w);
  return edit != nullptr && edit->wantsKey(keyAndModifiers);
}

}  // namespace

// [the unit] ---------------------------------------------------------------------

QWidget* EditBoxUnit::Create(const UnitCreateParams& params) {
  EditBoxData data;
  if (readEditBoxData(params.typeData, data) != StoredStatus::Ok) return nullptr;
  if (data.multiLine != 0) return new MultiLineEdit(params, std::move(data));
  return new SingleLineEdit(params, std::move(data));
}

EditBoxUnit::EditBoxUnit(const UnitCreateParams& params, EditBoxData data)
    : id_{params.formId, params.unitId}, data_(std::move(data)) {}

EditBoxUnit::~EditBoxUnit() { ReportUnitDestroyed(id_); }

void* EditBoxUnit::OtherQuery(std::int32_t query) {
  return query == kQueryWantsKey ? reinterpret_cast<void*>(&WantsKey) : nullptr;
}

bool EditBoxUnit::wantsKey(std::int32_t keyAndModifiers) const {
  return data_.multiLine != 0 && keyAndModifiers == kEnterKey;
}

void EditBoxUnit::applyCommonLook() {
  QWidget& w = widget();
  if (!data_.font.empty()) w.setFont(QFontOf(FontFromRecord(data_.font)));
  QPalette colours = QApplication::palette(&w);
  colours.setColor(QPalette::Text, ColourOf(data_.textColour, colours.color(QPalette::Text)));
  colours.setColor(QPalette::Base, ColourOf(data_.backColour, colours.color(QPalette::Base)));
  w.setPalette(colours);
}

std::int32_t EditBoxUnit::apply(EditBoxHook hook) {
  switch (hook) {
    case EditBoxHook::Look: applyData(); return 0;
    // The other edit class: a new unit window, made from what writeBack
    // gives (the current text included).
    case EditBoxHook::Recreate: return 1;
    default: return 0;
  }
}

RawProperty EditBoxUnit::liveValue(EditBoxHook) const {
  RawProperty v;
  v.text = ToCp936(currentText());
  return v;
}

void EditBoxUnit::setLive(EditBoxHook, const RawProperty& value) { replaceText(FromCp936(value.text)); }

// [single line] ------------------------------------------------------------------

SingleLineEdit::SingleLineEdit(const UnitCreateParams& params, EditBoxData data)
    : QLineEdit(params.parent), EditBoxUnit(params, std::move(data)) {
  setFocusPolicy(Qt::StrongFocus);
  ApplyCreateParams(*this, params);
  applyData();
  setText(FromCp936(data_.text));
}

void SingleLineEdit::applyData() {
  setFrame(data_.border != BorderStyle::None);
  setReadOnly(data_.readOnly != 0);
  setEchoMode(data_.password != 0 ? QLineEdit::Password : QLineEdit::Normal);
  setMaxLength(data_.maxLength > 0 ? data_.maxLength : 32767);
  setAlignment(HorizontalAlignment(data_.horizontalAlign) | Qt::AlignVCenter);
  applyCommonLook();
}

// [multiple lines] ---------------------------------------------------------------

MultiLineEdit::MultiLineEdit(const UnitCreateParams& params, EditBoxData data)
    : QPlainTextEdit(params.parent), EditBoxUnit(params, std::move(data)) {
  setFocusPolicy(Qt::StrongFocus);
  ApplyCreateParams(*this, params);
  applyData();
  replaceText(FromCp936(data_.text));
  connect(this, &QPlainTextEdit::textChanged, this, [this] { limitLength(); });
}

QString MultiLineEdit::currentText() const {
  return toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void MultiLineEdit::replaceText(const QString& text) {
  setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void MultiLineEdit::applyData() {
  setFrameShape(data_.border != BorderStyle::None ? QFrame::StyledPanel : QFrame::NoFrame);
  setReadOnly(data_.readOnly != 0);
  const bool across = data_.scrollBars == ScrollBars::Horizontal || data_.scrollBars == ScrollBars::Both;
  const bool down = data_.scrollBars == ScrollBars::Vertical || data_.scrollBars == ScrollBars::Both;
  setHorizontalScrollBarPolicy(across ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(down ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  // Lines wrap unless the edit scrolls sideways.
  setLineWrapMode(across ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
  QTextOption option = document()->defaultTextOption();
  option.setAlignment(HorizontalAlignment(data_.horizontalAlign));
  document()->setDefaultTextOption(option);
  applyCommonLook();
  limitLength();
}

void MultiLineEdit::limitLength() {
  if (data_.maxLength <= 0 || toPlainText().size() <= data_.maxLength) return;
  QTextCursor cursor(document());
  cursor.setPosition(data_.maxLength);
  cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
}

}  // namespace horavia::ui::controls
