// EditBox: a single-line edit (QLineEdit) or, with multiLine set, a
// multi-line one (QPlainTextEdit); switching between the two re-creates the
// unit. It raises no type events; a multi-line edit claims Enter for itself
// (query 8), so Enter starts a new line instead of pressing the default
// button.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

#include "ui/controls/stored_data.h"
#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

namespace edit_box_property {
constexpr std::int32_t kText = 8, kBorder = 9, kMultiLine = 10, kScrollBars = 11, kReadOnly = 12, kPassword = 13,
                       kMaxLength = 14, kHorizontalAlign = 15, kTextColour = 16, kBackColour = 17, kFont = 18;
}

// The unit's side of both edit classes.
class EditBoxUnit {
 public:
  // Numbers 19-28 are not used by this runtime's edit boxes.
  static constexpr auto kProperties = PropertyTable(std::array<PropertySlot, 21>{{
      {"text", property_kind::kText},
      {"border", property_kind::kChoice},      // 0 none, 1 sunken
      {"multiLine", property_kind::kBoolean},
      {"scrollBars", property_kind::kChoice},  // 0 none, 1 horizontal, 2 vertical, 3 both
      {"readOnly", property_kind::kBoolean},
      {"password", property_kind::kBoolean},
      {"maxLength", property_kind::kInteger},  // 0: no limit
      {"horizontalAlign", property_kind::kChoice},
      {"textColour", property_kind::kColour},
      {"backColour", property_kind::kColour},
      {"font", property_kind::kFont},
  }});

  static QWidget* Create(const UnitCreateParams& params);
  virtual ~EditBoxUnit();

  RawProperty getProperty(std::int32_t number) const;
  std::int32_t setProperty(std::int32_t number, const RawProperty& value);
  Bytes writeBack() const;
  static void* OtherQuery(std::int32_t query);
  // Enter, unmodified, when the edit has several lines.
  bool wantsKey(std::int32_t keyAndModifiers) const;

 protected:
  EditBoxUnit(const UnitCreateParams& params, EditBoxData data);
  // The edit's text and the data's effect on it, by class.
  virtual QString currentText() const = 0;
  virtual void replaceText(const QString& text) = 0;
  virtual void applyData() = 0;
  virtual QWidget& widget() = 0;
  // What both classes share: font, colours.
  void applyCommonLook();

  UnitIdentity id_;
  EditBoxData data_;
};

class SingleLineEdit : public QLineEdit, public EditBoxUnit {
 public:
  SingleLineEdit(const UnitCreateParams& params, EditBoxData data);

 protected:
  QString currentText() const override { return text(); }
  void replaceText(const QString& text) override { setText(text); }
  void applyData() override;
  QWidget& widget() override { return *this; }
};

class MultiLineEdit : public QPlainTextEdit, public EditBoxUnit {
 public:
  MultiLineEdit(const UnitCreateParams& params, EditBoxData data);

 protected:
  // Lines end in "\r\n" for the program, in "\n" inside the control.
  QString currentText() const override;
  void replaceText(const QString& text) override;
  void applyData() override;
  QWidget& widget() override { return *this; }

 private:
  void limitLength();
};

}  // namespace horavia::ui::controls
