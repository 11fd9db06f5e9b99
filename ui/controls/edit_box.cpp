#include "ui/controls/edit_box.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextOption>

#include "ui/controls/control_font.h"

namespace horavia::ui::controls {
namespace {

using namespace edit_box_property;

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

RawProperty EditBoxUnit::getProperty(std::int32_t number) const {
  RawProperty v;
  switch (number) {
    case kText: v.text = ToCp936(currentText()); break;
    case kBorder: v.number = data_.border; break;
    case kMultiLine: v.number = data_.multiLine; break;
    case kScrollBars: v.number = data_.scrollBars; break;
    case kReadOnly: v.number = data_.readOnly; break;
    case kPassword: v.number = data_.password; break;
    case kMaxLength: v.number = data_.maxLength; break;
    case kHorizontalAlign: v.number = data_.horizontalAlign; break;
    case kTextColour: v.number = data_.textColour; break;
    case kBackColour: v.number = data_.backColour; break;
    case kFont: v.font = FontFromRecord(data_.font); break;
    default: break;
  }
  return v;
}

std::int32_t EditBoxUnit::setProperty(std::int32_t number, const RawProperty& v) {
  switch (number) {
    case kText: replaceText(FromCp936(v.text)); return 0;
    case kBorder: data_.border = ClampChoice(v.number, 1); break;
    case kMultiLine:
      if (Flag(v) == data_.multiLine) return 0;
      // The other edit class: a new unit window.
      data_.multiLine = Flag(v);
      data_.text = ToCp936(currentText());
      return 1;
    case kScrollBars: data_.scrollBars = ClampChoice(v.number, 3); break;
    case kReadOnly: data_.readOnly = Flag(v); break;
    case kPassword: data_.password = Flag(v); break;
    case kMaxLength: data_.maxLength = static_cast<std::int32_t>(std::max<std::int64_t>(0, v.number)); break;
    case kHorizontalAlign: data_.horizontalAlign = ClampChoice(v.number, 2); break;
    case kTextColour: data_.textColour = static_cast<std::uint32_t>(v.number); break;
    case kBackColour: data_.backColour = static_cast<std::uint32_t>(v.number); break;
    case kFont: data_.font = RecordFromFont(v.font); break;
    default: return 0;
  }
  applyData();
  return 0;
}

Bytes EditBoxUnit::writeBack() const {
  EditBoxData data = data_;
  data.text = ToCp936(currentText());
  return writeEditBoxData(data);
}

// [single line] ------------------------------------------------------------------

SingleLineEdit::SingleLineEdit(const UnitCreateParams& params, EditBoxData data)
    : QLineEdit(params.parent), EditBoxUnit(params, std::move(data)) {
  setFocusPolicy(Qt::StrongFocus);
  ApplyCreateParams(*this, params);
  applyData();
  setText(FromCp936(data_.text));
}

void SingleLineEdit::applyData() {
  setFrame(data_.border != 0);
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
  setFrameShape(data_.border != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
  setReadOnly(data_.readOnly != 0);
  const bool across = data_.scrollBars == 1 || data_.scrollBars == 3;
  const bool down = data_.scrollBars == 2 || data_.scrollBars == 3;
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
