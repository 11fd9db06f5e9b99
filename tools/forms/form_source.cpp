// Index
//   [tokens]     splitting a line into words and quoted texts
//   [compiler]   statements -> forms, one unit at a time
//   [resolver]   texts, asset files and hex bytes
#include "tools/forms/form_source.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "platform/text_codec.h"

namespace horavia::tools {
namespace {

// [tokens] --------------------------------------------------------------------

struct Token {
  std::string text;  // unescaped, without quotes
  bool quoted = false;
};

bool unescapeInto(char c, std::string& out) {
  switch (c) {
    case 'n': out += '\n'; return true;
    case 'r': out += '\r'; return true;
    case 't': out += '\t'; return true;
    case '\\': out += '\\'; return true;
    case '"': out += '"'; return true;
    default: return false;
  }
}

bool tokenize(std::string_view line, std::vector<Token>& tokens, std::string& why) {
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '#') return true;
    Token token;
    if (c == '"') {
      token.quoted = true;
      for (++i;; ++i) {
        if (i >= line.size()) {
          why = "a text without its closing quote";
          return false;
        }
        if (line[i] == '"') break;
        if (line[i] == '\\') {
          if (++i >= line.size() || !unescapeInto(line[i], token.text)) {
            why = "an unknown escape in a text";
            return false;
          }
          continue;
        }
        token.text += line[i];
      }
      ++i;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#') {
        token.text += line[i++];
      }
    }
    tokens.push_back(std::move(token));
  }
  return true;
}

// [compiler] ------------------------------------------------------------------

class SourceCompiler {
 public:
  SourceCompiler(const SourceContext& context, std::vector<ui::Form>& forms) : context_(context), forms_(forms) {}

  bool statement(const std::vector<Token>& t, int line);
  bool finish() { return finishUnit(); }
  const std::string& error() const { return error_; }

 private:
  bool fail(const std::string& why) {
    error_ = "line " + std::to_string(line_) + ": " + why;
    return false;
  }
  bool want(const std::vector<Token>& t, std::size_t words, const char* usage) {
    return t.size() == words || fail(std::string("usage: ") + usage);
  }
  std::optional<std::uint32_t> number(const Token& token) {
    std::optional<std::uint32_t> v = token.quoted ? std::nullopt : parseInteger(token.text);
    if (!v) fail("\"" + token.text + "\" is not a number");
    return v;
  }
  std::optional<std::string> cp936(const Token& token) {
    if (!token.quoted) {
      fail("\"" + token.text + "\" wants double quotes");
      return std::nullopt;
    }
    std::optional<std::string> text = context_.values.text(token.text);
    if (!text) fail("\"" + token.text + "\" cannot be held in code page 936");
    return text;
  }
  std::optional<std::int32_t> handler(const Token& token) {
    if (token.text == "none") return ui::kNoHandler;
    const std::int32_t offset = context_.handlerOffset(token.text);
    if (offset < 0) {
      fail("no handler called " + token.text);
      return std::nullopt;
    }
    return offset;
  }

  bool beginForm(const std::vector<Token>& t);
  bool beginUnit(std::uint32_t id, std::uint32_t type, std::string name);
  bool unitStatement(const std::vector<Token>& t);
  bool menuStatement(const std::vector<Token>& t);
  bool placedStatement(const std::vector<Token>& t);
  bool setFlags(const std::vector<Token>& t, const char* const words[3], std::uint32_t& out);
  bool finishUnit();

  ui::Form* form() { return haveForm_ ? &forms_.back() : nullptr; }
  ui::Unit* unit() { return haveUnit_ ? &forms_.back().units.back() : nullptr; }

  const SourceContext& context_;
  std::vector<ui::Form>& forms_;
  bool haveForm_ = false;
  bool haveUnit_ = false;
  std::vector<DataField> fields_;
  bool noData_ = false;
  int line_ = 0;
  std::string error_;
};

bool SourceCompiler::statement(const std::vector<Token>& t, int line) {
  line_ = line;
  const std::string& word = t[0].text;
  if (t[0].quoted) return fail("a statement starts with a word");
  if (word == "form") return beginForm(t);
  if (word == "reserved") {
    if (!form() || unit()) return fail("reserved belongs right after form");
    if (!want(t, 3, "reserved A B")) return false;
    const std::optional<std::uint32_t> a = number(t[1]), b = a ? number(t[2]) : std::nullopt;
    if (!b) return false;
    form()->reservedA = *a;
    form()->reservedB = *b;
    return true;
  }
  if (word == "window" || word == "unit" || word == "menu") {
    if (!form()) return fail("a unit outside a form");
    if (!finishUnit()) return false;
    const std::size_t words = word == "unit" ? 4 : 2;
    if (!want(t, words, word == "unit" ? "unit ID TYPE NAME" : "window|menu ID")) return false;
    const std::optional<std::uint32_t> id = number(t[1]);
    if (!id) return false;
    if (word == "window") return beginUnit(*id, ui::unit_type::kWindow, {});
    if (word == "menu") return beginUnit(*id, ui::unit_type::kMenuItem, {});
    const UnitTypeInfo* type = findUnitType(t[2].text);
    const std::optional<std::uint32_t> code = type ? std::optional(type->code) : parseInteger(t[2].text);
    if (!code) return fail("no unit type called " + t[2].text);
    const std::optional<std::string> name = context_.values.text(t[3].text);
    if (!name) return fail("the name " + t[3].text + " cannot be held in code page 936");
    return beginUnit(*id, *code, *name);
  }
  if (!unit()) return fail("\"" + word + "\" outside a unit");
  return unitStatement(t);
}

bool SourceCompiler::beginForm(const std::vector<Token>& t) {
  if (!finishUnit() || !want(t, 2, "form ID")) return false;
  const std::optional<std::uint32_t> id = number(t[1]);
  if (!id) return false;
  if (!ui::isValidId(*id) || (*id >> 24) != 0x52) return fail("a form id is 0x52xxxxxx");
  for (const ui::Form& other : forms_) {
    if (other.id == *id) return fail("a second form with the same id");
  }
  forms_.push_back(ui::Form{});
  forms_.back().id = *id;
  haveForm_ = true;
  haveUnit_ = false;
  return true;
}

bool SourceCompiler::beginUnit(std::uint32_t id, std::uint32_t type, std::string name) {
  ui::Form& f = *form();
  if (!ui::isValidId(id)) return fail("an invalid unit id");
  if (ui::findUnit(f.units, id)) return fail("a second unit with the same id");
  const bool isWindow = type == ui::unit_type::kWindow;
  if (isWindow != f.units.empty()) return fail("the window unit is the first unit of a form, and the only one");
  if ((type == ui::unit_type::kMenuItem) != ui::isMenuItemId(id)) {
    return fail("menu items, and only they, have ids 0x26xxxxxx");
  }
  ui::Unit unit;
  unit.id = id;
  unit.type = type;
  unit.name = std::move(name);
  f.units.push_back(std::move(unit));
  haveUnit_ = true;
  fields_.clear();
  noData_ = false;
  return true;
}

bool SourceCompiler::unitStatement(const std::vector<Token>& t) {
  return unit()->isMenuItem() ? menuStatement(t) : placedStatement(t);
}

bool SourceCompiler::setFlags(const std::vector<Token>& t, const char* const words[3], std::uint32_t& out) {
  if (t.size() == 2 && !t[1].quoted && parseInteger(t[1].text)) {
    out = *parseInteger(t[1].text);
    return true;
  }
  std::uint32_t flags = 0;
  for (std::size_t i = 1; i < t.size(); ++i) {
    std::uint32_t bit = 0;
    for (int b = 0; b < 3; ++b) {
      if (t[i].text == words[b]) bit = 1u << b;
    }
    if (bit == 0) return fail("unknown flag " + t[i].text);
    flags |= bit;
  }
  out = flags;
  return true;
}

bool SourceCompiler::menuStatement(const std::vector<Token>& t) {
  static const char* const kWords[3] = {"hidden", "disabled", "checked"};
  ui::MenuItemFields& menu = unit()->menu;
  const std::string& word = t[0].text;
  if (word == "flags") return setFlags(t, kWords, menu.flags);
  if (word == "caption") {
    if (!want(t, 2, "caption \"TEXT\"")) return false;
    std::optional<std::string> caption = cp936(t[1]);
    if (!caption) return false;
    menu.caption = std::move(*caption);
    return true;
  }
  if (word == "handler") {
    if (!want(t, 2, "handler NAME|none")) return false;
    const std::optional<std::int32_t> offset = handler(t[1]);
    if (!offset) return false;
    menu.handlerOffset = *offset;
    return true;
  }
  if (word == "level" || word == "shortcut") {
    if (!want(t, 2, "level|shortcut N")) return false;
    const std::optional<std::uint32_t> v = number(t[1]);
    if (!v) return false;
    (word == "level" ? menu.level : menu.shortcut) = *v;
    return true;
  }
  return fail("\"" + word + "\" is not a menu item statement");
}

bool SourceCompiler::placedStatement(const std::vector<Token>& t) {
  static const char* const kWords[3] = {"visible", "disabled", "tabstop"};
  ui::Unit& u = *unit();
  const std::string& word = t[0].text;
  if (word == "flags") return setFlags(t, kWords, u.flags);
  if (word == "rect") {
    if (!want(t, 5, "rect LEFT TOP WIDTH HEIGHT")) return false;
    std::int32_t* fields[4] = {&u.left, &u.top, &u.width, &u.height};
    for (int i = 0; i < 4; ++i) {
      const std::optional<std::uint32_t> v = number(t[i + 1]);
      if (!v) return false;
      *fields[i] = static_cast<std::int32_t>(*v);
    }
    return true;
  }
  if (word == "tab" || word == "parent") {
    if (!want(t, 2, "tab N | parent ID")) return false;
    const std::optional<std::uint32_t> v = number(t[1]);
    if (!v) return false;
    if (word == "tab") u.tabOrder = static_cast<std::int32_t>(*v);
    else u.parent = *v;
    return true;
  }
  if (word == "children") {
    u.children.clear();
    for (std::size_t i = 1; i < t.size(); ++i) {
      const std::optional<std::uint32_t> v = number(t[i]);
      if (!v) return false;
      u.children.push_back(*v);
    }
    return true;
  }
  if (word == "cursor") {
    if (!want(t, 2, "cursor N | file:PATH")) return false;
    if (t[1].text.starts_with("file:")) {
      std::string why;
      std::optional<base::Bytes> file = context_.values.blob(t[1].text, why);
      if (!file) return fail(why);
      base::ByteWriter out;
      out.i32(-1);  // custom pointer: the cursor file follows
      out.raw(*file);
      u.mousePointer = out.take();
      return true;
    }
    const std::optional<std::uint32_t> v = number(t[1]);
    if (!v) return false;
    base::ByteWriter out;
    if (*v != 0) out.u32(*v);  // pointer 0 is the default: stored as an empty block
    u.mousePointer = out.take();
    return true;
  }
  if (word == "tag" || word == "remark") {
    if (!want(t, 2, "tag|remark \"TEXT\"")) return false;
    std::optional<std::string> text = cp936(t[1]);
    if (!text) return false;
    (word == "tag" ? u.tag : u.remark) = std::move(*text);
    return true;
  }
  if (word == "on") {
    if (!want(t, 3, "on EVENT HANDLER")) return false;
    const std::optional<std::uint32_t> event = number(t[1]);
    const std::optional<std::int32_t> offset = event ? handler(t[2]) : std::nullopt;
    if (!offset) return false;
    if (u.findBinding(static_cast<std::int32_t>(*event))) return fail("a second binding of the same event");
    u.events.push_back({static_cast<std::int32_t>(*event), *offset, {}});
    return true;
  }
  if (word == "data") {
    if (!want(t, 3, "data KEY VALUE")) return false;
    fields_.push_back({t[1].text, t[2].text, t[2].quoted, line_});
    return true;
  }
  if (word == "nodata") {
    noData_ = true;
    return want(t, 1, "nodata");
  }
  return fail("\"" + word + "\" is not a unit statement");
}

bool SourceCompiler::finishUnit() {
  if (!unit()) return true;
  ui::Unit& u = *unit();
  haveUnit_ = false;
  if (u.isMenuItem()) return true;
  if (noData_) {
    if (!fields_.empty()) return fail("a unit with nodata names data fields");
    if (u.type == ui::unit_type::kWindow) return fail("the window unit always stores its data");
    return true;
  }
  std::string why;
  std::optional<base::Bytes> data = compileTypeData(u.type, fields_, context_.values, why);
  if (!data) {
    error_ = why;
    return false;
  }
  u.typeData = std::move(*data);
  return true;
}

// [resolver] ------------------------------------------------------------------

std::optional<base::Bytes> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return base::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<base::Bytes> hexBytes(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  base::Bytes out;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const std::optional<std::uint32_t> byte = parseInteger("0x" + std::string(hex.substr(i, 2)));
    if (!byte) return std::nullopt;
    out.push_back(static_cast<std::uint8_t>(*byte));
  }
  return out;
}

}  // namespace

bool compileFormSource(std::string_view text, const SourceContext& context, std::vector<ui::Form>& forms,
                       std::string& error) {
  SourceCompiler compiler(context, forms);
  int lineNumber = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    ++lineNumber;
    std::vector<Token> tokens;
    std::string why;
    if (!tokenize(text.substr(start, end - start), tokens, why)) {
      error = "line " + std::to_string(lineNumber) + ": " + why;
      return false;
    }
    if (!tokens.empty() && !compiler.statement(tokens, lineNumber)) {
      error = compiler.error();
      return false;
    }
    start = end + 1;
  }
  if (!compiler.finish()) {
    error = compiler.error();
    return false;
  }
  return true;
}

ValueResolver standardResolver(const std::string& folder, std::vector<std::string>* filesRead,
                               const std::string& assetFolder) {
  ValueResolver resolver;
  resolver.text = [](std::string_view utf8) -> std::optional<std::string> {
    std::string cp936 = platform::Utf8ToCp936(utf8);
    // The converter replaces what it cannot hold; a text that does not come
    // back unchanged would be stored wrong.
    if (platform::Cp936ToUtf8(cp936) != utf8) return std::nullopt;
    return cp936;
  };
  resolver.blob = [folder, filesRead, assetFolder](std::string_view value,
                                                   std::string& why) -> std::optional<base::Bytes> {
    if (value.starts_with("hex:")) {
      std::optional<base::Bytes> bytes = hexBytes(value.substr(4));
      if (!bytes) why = "hex: wants pairs of hexadecimal digits";
      return bytes;
    }
    const bool isAsset = value.starts_with("asset:");
    if (!isAsset && !value.starts_with("file:")) return std::nullopt;
    if (isAsset && assetFolder.empty()) {
      why = "asset: needs the asset folder (--assets FOLDER)";
      return std::nullopt;
    }
    const std::string_view name = value.substr(isAsset ? 6 : 5);
    const std::string path = (isAsset ? assetFolder : folder) + "/" + std::string(name);
    std::optional<base::Bytes> bytes = readWholeFile(path);
    if (!bytes) why = "cannot read " + std::string(name);
    if (bytes && filesRead) filesRead->push_back(path);
    return bytes;
  };
  return resolver;
}

}  // namespace horavia::tools
