// Index
//   [setter]   sets one field of a record by name from a written value
//   [json]     prints a record's fields
//   [table]    the known types and their records
#include "tools/forms/type_data.h"

#include <charconv>
#include <cstdio>
#include <span>

#include "anim/cartoonbox/stored_data.h"
#include "base/stored_fields.h"
#include "ui/controls/stored_data.h"
#include "ui/forms/form_table.h"
#include "ui/forms/window_data.h"

namespace horavia::tools {

std::optional<std::uint32_t> parseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (negative ? value > 0x80000000ull : value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<std::uint32_t>(negative ? 0 - value : value);
}

namespace {

// [setter] --------------------------------------------------------------------

class FieldSetter {
 public:
  FieldSetter(const DataField& field, const ValueResolver& resolver) : field_(field), resolver_(resolver) {}

  void i32(std::string_view name, std::int32_t& out, std::uint32_t = 0) {
    if (const std::optional<std::uint32_t> v = integer(name)) out = static_cast<std::int32_t>(*v);
  }
  void colour(std::string_view name, std::uint32_t& out, std::uint32_t = 0) {
    if (const std::optional<std::uint32_t> v = integer(name)) out = *v;
  }
  void text(std::string_view name, std::string& out, std::uint32_t = 0) {
    if (!claim(name)) return;
    if (!field_.quoted) return failWith("a quoted text");
    std::optional<std::string> converted = resolver_.text(field_.value);
    if (!converted) return failWith("a text that code page 936 can hold");
    out = std::move(*converted);
  }
  void blob(std::string_view name, base::Bytes& out, std::uint32_t = 0) {
    if (!claim(name)) return;
    if (field_.quoted && field_.value.empty()) {
      out.clear();
      return;
    }
    std::string why;
    std::optional<base::Bytes> bytes = field_.quoted ? std::nullopt : resolver_.blob(field_.value, why);
    if (!bytes) return failWith(why.empty() ? "\"\", file:PATH, asset:PATH or hex:BYTES" : why);
    out = std::move(*bytes);
  }

  bool matched() const { return matched_; }
  const std::string& error() const { return error_; }

 private:
  bool claim(std::string_view name) {
    if (name != field_.key) return false;
    matched_ = true;
    return true;
  }
  std::optional<std::uint32_t> integer(std::string_view name) {
    if (!claim(name)) return std::nullopt;
    std::optional<std::uint32_t> v = field_.quoted ? std::nullopt : parseInteger(field_.value);
    if (!v) failWith("an integer");
    return v;
  }
  void failWith(std::string_view wanted) {
    error_ = "line " + std::to_string(field_.line) + ": " + field_.key + " wants " + std::string(wanted);
  }

  const DataField& field_;
  const ValueResolver& resolver_;
  bool matched_ = false;
  std::string error_;
};

template <class Record>
std::optional<base::Bytes> compileRecord(const std::vector<DataField>& fields, const ValueResolver& resolver,
                                         std::string& error) {
  Record record;
  for (const DataField& field : fields) {
    FieldSetter setter(field, resolver);
    record.visitFields(setter);
    if (!setter.matched()) {
      error = "line " + std::to_string(field.line) + ": no field " + field.key;
      return std::nullopt;
    }
    if (!setter.error().empty()) {
      error = setter.error();
      return std::nullopt;
    }
  }
  return base::writeStored(record);
}

}  // namespace

// [json] ----------------------------------------------------------------------

std::string jsonString(std::string_view utf8) {
  std::string out = "\"";
  for (unsigned char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

namespace {

class JsonPrinter {
 public:
  explicit JsonPrinter(const std::function<std::string(std::string_view)>& toUtf8) : toUtf8_(toUtf8) {}
  void i32(std::string_view name, std::int32_t value, std::uint32_t = 0) { add(name, std::to_string(value)); }
  void colour(std::string_view name, std::uint32_t value, std::uint32_t = 0) { add(name, std::to_string(value)); }
  void text(std::string_view name, const std::string& value, std::uint32_t = 0) {
    add(name, jsonString(toUtf8_(value)));
  }
  void blob(std::string_view name, const base::Bytes& value, std::uint32_t = 0) {
    add(name, "{\"bytes\":" + std::to_string(value.size()) + "}");
  }
  std::string take() { return out_ + "}"; }

 private:
  void add(std::string_view name, const std::string& value) {
    out_ += out_.size() > 1 ? "," : "";
    out_ += jsonString(name) + ":" + value;
  }
  const std::function<std::string(std::string_view)>& toUtf8_;
  std::string out_ = "{";
};

template <class Record>
std::string recordJson(std::span<const std::uint8_t> bytes,
                       const std::function<std::string(std::string_view)>& toUtf8) {
  Record record;
  if (base::readStored(bytes, record) != base::StoredStatus::Ok) return "null";
  JsonPrinter printer(toUtf8);
  record.visitFields(printer);
  return printer.take();
}

// [table] ---------------------------------------------------------------------

// Calls `f.template operator()<Record>()` with the record type of `code`, or
// returns `otherwise` for a type without one.
template <class F, class R>
R withRecord(std::uint32_t code, F&& f, R otherwise) {
  namespace t = ui::unit_type;
  switch (code) {
    case t::kWindow: return f.template operator()<ui::WindowData>();
    case t::kEditBox: return f.template operator()<ui::EditBoxData>();
    case t::kPicBox: return f.template operator()<ui::PicBoxData>();
    case t::kLabel: return f.template operator()<ui::LabelData>();
    case t::kButton: return f.template operator()<ui::ButtonData>();
    case t::kCheckBox: return f.template operator()<ui::CheckBoxData>();
    case t::kComboBox: return f.template operator()<ui::ComboBoxData>();
    case t::kListBox: return f.template operator()<ui::ListBoxData>();
    case t::kSliderBar: return f.template operator()<ui::SliderBarData>();
    case t::kCartoonBox: return f.template operator()<anim::CartoonBoxData>();
    case t::kCartoonObject: return f.template operator()<anim::CartoonObjectData>();
    default: return otherwise;
  }
}

}  // namespace

const std::vector<UnitTypeInfo>& unitTypes() {
  namespace t = ui::unit_type;
  static const std::vector<UnitTypeInfo> kTypes = {
      {"window", t::kWindow, true},       {"menu", t::kMenuItem, false},
      {"EditBox", t::kEditBox, true},     {"PicBox", t::kPicBox, true},
      {"DrawPanel", t::kDrawPanel, false}, {"Label", t::kLabel, true},
      {"Button", t::kButton, true},       {"CheckBox", t::kCheckBox, true},
      {"ComboBox", t::kComboBox, true},   {"ListBox", t::kListBox, true},
      {"SliderBar", t::kSliderBar, true}, {"CartoonBox", t::kCartoonBox, true},
      {"CartoonObject", t::kCartoonObject, true},
  };
  return kTypes;
}

const UnitTypeInfo* findUnitType(std::string_view name) {
  for (const UnitTypeInfo& type : unitTypes()) {
    if (type.name == name) return &type;
  }
  return nullptr;
}

const UnitTypeInfo* findUnitType(std::uint32_t code) {
  for (const UnitTypeInfo& type : unitTypes()) {
    if (type.code == code) return &type;
  }
  return nullptr;
}

std::optional<base::Bytes> compileTypeData(std::uint32_t code, const std::vector<DataField>& fields,
                                           const ValueResolver& resolver, std::string& error) {
  auto compile = [&]<class Record>() { return compileRecord<Record>(fields, resolver, error); };
  std::optional<base::Bytes> none;
  if (!findUnitType(code) || !findUnitType(code)->hasRecord) {
    if (fields.empty()) return base::Bytes{};
    error = "line " + std::to_string(fields.front().line) + ": this unit type stores no data";
    return none;
  }
  return withRecord(code, compile, none);
}

std::string typeDataJson(std::uint32_t code, std::span<const std::uint8_t> bytes,
                         const std::function<std::string(std::string_view)>& toUtf8) {
  auto print = [&]<class Record>() { return recordJson<Record>(bytes, toUtf8); };
  return withRecord(code, print, std::string("null"));
}

}  // namespace horavia::tools
