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

// The unit's side of both edit classes.
class EditBoxUnit {
 public:
  static constexpr const auto& kTable = kEditBoxProperties;

  static QWidget* Create(const UnitCreateParams& params);
  virtual ~EditBoxUnit();

  static void* OtherQuery(std::int32_t query);
  // Enter, unmodified, when the edit has several lines.
  bool wantsKey(std::int32_t keyAndModifiers) const;

 protected:
  friend struct ui::PropertyAccess;
  EditBoxUnit(const UnitCreateParams& params, EditBoxData data);
  EditBoxData& record() { return data_; }
  const EditBoxData& record() const { return data_; }
  std::int32_t apply(EditBoxHook hook);
  RawProperty liveValue(EditBoxHook hook) const;
  void setLive(EditBoxHook hook, const RawProperty& value);
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
